#!/usr/bin/env python3
"""Times tabulink-batch against plain C++ baselines and the tools people use
instead, and prints medians and ratios as a Markdown table.

Called by bench/run_bench.sh, which builds the programs and writes the data:

    batch_timing.py --batch BIN --baselines DIR --data DIR --out DIR [--repeat N]
"""

import argparse
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import time

TIMEOUT = 600      # seconds for one run of one tool
SLOW = 20          # a tool slower than this in its first run runs only once


def q(path):
    return shlex.quote(str(path))


def timed(command):
    start = time.perf_counter()
    done = subprocess.run(command, shell=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                          timeout=TIMEOUT, executable="/bin/bash")
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        raise RuntimeError(done.stderr.decode(errors="replace").strip()[-300:])
    return elapsed


def measure(command, repeat):
    times = []
    for i in range(repeat):
        t = timed(command)
        times.append(t)
        if i == 0 and t > SLOW:
            break
    return statistics.median(times), len(times)


def jobs(args):
    batch, base, data, out = args.batch, args.baselines, args.data, args.out
    py = "/usr/bin/python3"
    peers = os.path.join(os.path.dirname(os.path.abspath(__file__)), "peers.py")
    csv200, csv1m = os.path.join(data, "csv_200000.csv"), os.path.join(data, "csv_1000000.csv")
    folder = os.path.join(data, "files_100000")
    text = os.path.join(data, "text_5000000.txt")
    o = lambda name: os.path.join(out, name)
    to_utf8, to_sjis = "iconv -f CP932 -t UTF-8", "iconv -f UTF-8 -t CP932"

    def table_peers(src, tag):
        return [
            ("Python csv module", None, f"{py} {q(peers)} csv {q(src)} {q(o(tag + '.py.html'))}"),
            ("pandas to_html", "pandas", f"{py} {q(peers)} pandas {q(src)} {q(o(tag + '.pd.html'))}"),
            ("Miller (mlr --omd)", "mlr", f"mlr --icsv --omd cat {q(src)} > {q(o(tag + '.md'))}"),
            ("pandoc -f csv", "pandoc",
             f"{to_utf8} {q(src)} | pandoc -f csv -t html -s --metadata title=t | {to_sjis} > {q(o(tag + '.pandoc.html'))}"),
        ]

    return [
        ("table page, 200,000 lines", "table200k",
         f"{q(batch)} table {q(csv200)} -o {q(o('table200k.html'))}",
         f"{q(base)}/baseline_table {q(csv200)} {q(o('table200k.base.html'))}",
         table_peers(csv200, "table200k")),
        ("table page, 1,000,000 lines", "table1m",
         f"{q(batch)} table {q(csv1m)} -o {q(o('table1m.html'))}",
         f"{q(base)}/baseline_table {q(csv1m)} {q(o('table1m.base.html'))}",
         table_peers(csv1m, "table1m")[:1]),
        ("link page, 100,000 files", "links100k",
         f"{q(batch)} links {q(folder)} -d {q(folder + '.desc')} -o {q(o('links100k.html'))}",
         f"{q(base)}/baseline_links {q(folder)} {q(folder + '.desc')} {q(o('links100k.base.html'))}",
         [("tree -H", "tree", f"tree -H . -L 1 --noreport -o {q(o('links100k.tree.html'))} {q(folder)}")]),
        ("text page, 5 MB", "text5mb",
         f"{q(batch)} text {q(text)} -o {q(o('text5mb.html'))}",
         f"{q(base)}/baseline_text {q(text)} {q(o('text5mb.base.html'))}",
          # txt2html reads bytes as Latin-1 and writes Japanese as broken
         # entities; -c lets the last step drop what is left undecodable.
        [("txt2html", "txt2html", f"{to_utf8} {q(text)} | txt2html | iconv -c -f UTF-8 -t CP932 > {q(o('text5mb.t2h.html'))}"),
          ("pandoc -f markdown", "pandoc",
           f"{to_utf8} {q(text)} | pandoc -f markdown -t html -s --metadata title=t | {to_sjis} > {q(o('text5mb.pandoc.html'))}")]),
    ]


def available(need):
    if need is None:
        return True
    if need == "pandas":
        return subprocess.run(["/usr/bin/python3", "-c", "import pandas"], capture_output=True).returncode == 0
    return shutil.which(need) is not None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--batch", required=True)
    parser.add_argument("--baselines", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    rows = []
    results = {}
    for title, tag, ours, baseline, peers in jobs(args):
        t_ours, n_ours = measure(ours, args.repeat)
        t_base, n_base = measure(baseline, args.repeat)
        same = subprocess.run(["cmp", "-s", os.path.join(args.out, tag + ".html"),
                               os.path.join(args.out, tag + ".base.html")]).returncode == 0
        results[tag] = {"ours": t_ours, "base": t_base, "peers": []}
        rows.append((title, "tabulink-batch", f"{t_ours:.3f}", n_ours, "1.00"))
        rows.append((title, "plain C++ baseline" + ("" if same else " (output differs!)"),
                     f"{t_base:.3f}", n_base, f"{t_base / t_ours:.2f}"))
        for name, need, command in peers:
            if not available(need):
                rows.append((title, name, "not installed", 0, "-"))
                continue
            try:
                t, n = measure(command, args.repeat)
            except subprocess.TimeoutExpired:
                rows.append((title, name, f"> {TIMEOUT}", 1, "-"))
                continue
            except RuntimeError as e:
                rows.append((title, name, "failed", 1, "-"))
                print(f"{name}: {e}", file=sys.stderr)
                continue
            results[tag]["peers"].append(t)
            rows.append((title, name, f"{t:.3f}", n, f"{t / t_ours:.2f}"))
        print(f"done: {title}", file=sys.stderr, flush=True)

    print("| job | program | median s | runs | time / tabulink-batch |")
    print("|---|---|---:|---:|---:|")
    for row in rows:
        print("| " + " | ".join(str(x) for x in row) + " |")

    def goal(text, ok):
        print(f"- {'met' if ok else 'MISSED'}: {text}")

    print()
    r = results
    goal(f"table page 200,000 lines at most 2x the plain C++ time "
         f"({r['table200k']['ours'] / r['table200k']['base']:.2f}x)",
         r["table200k"]["ours"] <= 2 * r["table200k"]["base"])
    if r["table200k"]["peers"]:
        fastest = min(r["table200k"]["peers"])
        goal(f"table page 200,000 lines at least 5x faster than the fastest peer "
             f"({fastest / r['table200k']['ours']:.1f}x)", fastest >= 5 * r["table200k"]["ours"])
    growth = r["table1m"]["ours"] / r["table200k"]["ours"]
    goal(f"table page cost linear from 200,000 to 1,000,000 lines "
         f"(x{growth:.2f} for x5 the lines; plain C++ x{r['table1m']['base'] / r['table200k']['base']:.2f})",
         growth <= 5 * 1.25)
    goal(f"link page 100,000 files at most 2x the plain C++ time "
         f"({r['links100k']['ours'] / r['links100k']['base']:.2f}x)",
         r["links100k"]["ours"] <= 2 * r["links100k"]["base"])
    goal(f"text page 5 MB at most 2x the plain C++ time "
         f"({r['text5mb']['ours'] / r['text5mb']['base']:.2f}x)",
         r["text5mb"]["ours"] <= 2 * r["text5mb"]["base"])
    return 0


if __name__ == "__main__":
    sys.exit(main())
