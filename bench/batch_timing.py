#!/usr/bin/env python3
"""Times tabulink-batch against the byte-level C++ baselines and the tools
people use instead, and prints CPU-time medians, ratios and the goals.

Called by bench/run_bench.sh, which builds the programs and writes the data:

    batch_timing.py --batch BIN --baselines DIR --data DIR --out DIR [--repeat N]

Every run is timed by the CPU time (user + system) of the child as
os.wait4 reports it, so a busy shared machine changes the numbers less than
it changes wall time; wall time is shown beside it. The peak memory (max
RSS) comes from the same report; Linux counts in it the resident size of
this script at the fork, so a peak below that shows as "<= N", while a
larger peak is the program's own. tabulink-batch and the
baselines run without a shell; a peer runs under bash, whose report
includes the programs of its pipeline.

The pages of tabulink-batch and of each baseline are compared byte for
byte after the first run; any difference ends the run with status 1.
"""

import argparse
import os
import resource
import shutil
import statistics
import signal
import subprocess
import sys
import threading
import time

TIMEOUT = 600      # seconds for one run of one tool
SLOW = 20          # a tool slower than this (CPU) in its first run runs only once


class Failed(Exception):
    pass


def run_once(argv, shell=False):
    """(cpu seconds, wall seconds, max RSS in MiB) of one run."""
    if shell:
        argv = ["/bin/bash", "-c", argv]
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, start_new_session=True)
    timer = threading.Timer(TIMEOUT, lambda: os.killpg(child.pid, signal.SIGKILL))
    timer.start()
    # stderr is small (warnings); read it before reaping so the child never blocks.
    err = child.stderr.read()
    child.stderr.close()
    _, status, usage = os.wait4(child.pid, 0)
    timer.cancel()
    child.returncode = os.waitstatus_to_exitcode(status)
    wall = time.perf_counter() - start
    if wall >= TIMEOUT:
        raise Failed(f"stopped after {TIMEOUT} s")
    if child.returncode != 0:
        raise Failed(err.decode(errors="replace").strip()[-300:] or f"status {child.returncode}")
    return usage.ru_utime + usage.ru_stime, wall, usage.ru_maxrss / 1024.0


class Measured:
    def __init__(self, runs):
        self.runs = len(runs)
        self.cpu = statistics.median(r[0] for r in runs)
        self.wall = statistics.median(r[1] for r in runs)
        self.rss = max(r[2] for r in runs)
        # What the child took over from this script at the fork.
        self.floor = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0

    def rss_text(self):
        return f"<= {self.floor:.0f}" if self.rss <= self.floor + 1 else f"{self.rss:.0f}"


def measure(argv, repeat, shell=False):
    runs = []
    for i in range(repeat):
        runs.append(run_once(argv, shell))
        if i == 0 and runs[0][0] > SLOW:
            break
    return Measured(runs)


def first_difference(a, b):
    done = subprocess.run(["cmp", a, b], capture_output=True, text=True)
    if done.returncode == 0:
        return None
    return (done.stdout + done.stderr).strip() or "differ"


def jobs(args):
    batch, base, data, out = args.batch, args.baselines, args.data, args.out
    py = "/usr/bin/python3"
    peers = os.path.join(os.path.dirname(os.path.abspath(__file__)), "peers.py")
    csv200, csv1m = os.path.join(data, "csv_200000.csv"), os.path.join(data, "csv_1000000.csv")
    folder = os.path.join(data, "files_100000")
    text = os.path.join(data, "text_5000000.txt")
    o = lambda name: os.path.join(out, name)
    q = lambda p: "'" + str(p).replace("'", "'\\''") + "'"
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
         [batch, "table", csv200, "-o", o("table200k.html")],
         [os.path.join(base, "baseline_table"), csv200, o("table200k.base.html")],
         table_peers(csv200, "table200k")),
        ("table page, 1,000,000 lines", "table1m",
         [batch, "table", csv1m, "-o", o("table1m.html")],
         [os.path.join(base, "baseline_table"), csv1m, o("table1m.base.html")],
         table_peers(csv1m, "table1m")[:1]),
        ("link page, 100,000 files", "links100k",
         [batch, "links", folder, "-d", folder + ".desc", "-o", o("links100k.html")],
         [os.path.join(base, "baseline_links"), folder, folder + ".desc", o("links100k.base.html")],
         [("tree -H", "tree", f"tree -H . -L 1 --noreport -o {q(o('links100k.tree.html'))} {q(folder)}")]),
        ("text page, 5 MB", "text5mb",
         [batch, "text", text, "-o", o("text5mb.html")],
         [os.path.join(base, "baseline_text"), text, o("text5mb.base.html")],
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


def load():
    return "load average %.2f %.2f %.2f" % os.getloadavg()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--batch", required=True)
    parser.add_argument("--baselines", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    print(f"before: {load()}, {os.cpu_count()} cores, {args.repeat} runs each (median)")
    rows, results, differs = [], {}, []
    for title, tag, ours_argv, base_argv, peers in jobs(args):
        ours = measure(ours_argv, args.repeat)
        base = measure(base_argv, args.repeat)
        diff = first_difference(os.path.join(args.out, tag + ".html"), os.path.join(args.out, tag + ".base.html"))
        if diff:
            differs.append(f"{title}: the baseline's page differs from tabulink-batch's: {diff}")
        results[tag] = {"ours": ours, "base": base, "peers": {}}

        def row(name, m, note=""):
            rows.append((title, name + note, f"{m.cpu:.3f}", f"{m.wall:.3f}", m.rss_text(), m.runs,
                         f"{m.cpu / ours.cpu:.2f}"))

        row("tabulink-batch", ours)
        row("byte-level C++ baseline", base, " (OUTPUT DIFFERS)" if diff else " (same bytes)")
        for name, need, command in peers:
            if not available(need):
                rows.append((title, name, "not installed", "-", "-", 0, "-"))
                continue
            try:
                m = measure(command, args.repeat, shell=True)
            except Failed as e:
                rows.append((title, name, "failed", "-", "-", 1, "-"))
                print(f"{name}: {e}", file=sys.stderr)
                continue
            results[tag]["peers"][name] = m
            row(name, m)
        print(f"done: {title} ({load()})", file=sys.stderr, flush=True)

    print()
    print("| job | program | CPU s (median) | wall s | max RSS MiB | runs | CPU / tabulink-batch |")
    print("|---|---|---:|---:|---:|---:|---:|")
    for r in rows:
        print("| " + " | ".join(str(x) for x in r) + " |")

    print()
    r = results
    verdicts = []

    def goal(text, value, limit, at_most=True):
        ok = value <= limit if at_most else value >= limit
        verdicts.append(ok)
        sign = "<=" if at_most else ">="
        print(f"- {text}: {value:.2f} (goal {sign} {limit:g}) {'held' if ok else 'missed'}")

    t200, t1m = r["table200k"], r["table1m"]
    goal("table page 200,000 lines, tabulink-batch CPU / baseline CPU",
         t200["ours"].cpu / t200["base"].cpu, 2)
    mlr = t200["peers"].get("Miller (mlr --omd)")
    if mlr:
        goal("table page 200,000 lines, Miller CPU / tabulink-batch CPU", mlr.cpu / t200["ours"].cpu, 5, at_most=False)
    else:
        print("- table page 200,000 lines, Miller CPU / tabulink-batch CPU: not measured (mlr not installed)")
    goal("text page 5 MB, tabulink-batch CPU / baseline CPU",
         r["text5mb"]["ours"].cpu / r["text5mb"]["base"].cpu, 2)
    goal("link page 100,000 files, tabulink-batch CPU / baseline CPU",
         r["links100k"]["ours"].cpu / r["links100k"]["base"].cpu, 1.5)
    goal(f"table page 1,000,000 / 200,000 lines, tabulink-batch CPU growth "
         f"(baseline x{t1m['base'].cpu / t200['base'].cpu:.2f})", t1m["ours"].cpu / t200["ours"].cpu, 5.5)
    goal("table page 200,000 lines, tabulink-batch max RSS MiB", t200["ours"].rss, 100)
    goal("table page 1,000,000 lines, tabulink-batch max RSS MiB", t1m["ours"].rss, 100)
    print(f"\nafter: {load()}")
    print(f"goals: {sum(verdicts)} held, {len(verdicts) - sum(verdicts)} missed")

    if differs:
        for d in differs:
            print("ERROR: " + d, file=sys.stderr)
        print("ERROR: the baselines do not write the same bytes; the ratios above compare different jobs.",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
