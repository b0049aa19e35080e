#!/usr/bin/env python3
"""The Python programs a user would write instead of tabulink-batch.

    peers.py csv    IN.csv OUT.html   # the standard csv module, by hand
    peers.py pandas IN.csv OUT.html   # pandas read_csv + to_html

Both read Shift_JIS, write a Shift_JIS HTML page holding one table, and keep
characters Shift_JIS lacks as numeric character references.
"""

import csv
import html
import sys

HEAD = ('<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV="Content-type" CONTENT="text/html; charset=Shift_JIS">\r\n'
        '<TITLE>table</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<center>\r\n')
TAIL = '</center>\r\n</BODY>\r\n</HTML>\r\n'


def with_csv(src, dst):
    out = [HEAD, '<table border="1">\r\n']
    with open(src, encoding="cp932", errors="replace", newline="") as f:
        for r, row in enumerate(csv.reader(f)):
            if not any(cell.strip() for cell in row):
                continue
            out.append("<tr>\r\n")
            for c, cell in enumerate(row):
                align = "center" if r == 0 else "left" if c == 0 else "right"
                text = html.escape(cell) or "\u3000"
                if r == 0 or c == 0:
                    text = "<b>" + text + "</b>"
                out.append(f'<td nowrap align="{align}">{text}</td>\r\n')
            out.append("</tr>\r\n")
    out.append("</TABLE>\r\n")
    out.append(TAIL)
    with open(dst, "wb") as f:
        f.write("".join(out).encode("cp932", errors="xmlcharrefreplace"))


def with_pandas(src, dst):
    import pandas
    frame = pandas.read_csv(src, encoding="cp932", header=None, dtype=str, keep_default_na=False,
                            encoding_errors="replace")
    body = frame.to_html(index=False, header=False, border=1)
    with open(dst, "wb") as f:
        f.write((HEAD + body + TAIL).encode("cp932", errors="xmlcharrefreplace"))


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("csv", "pandas"):
        print(__doc__, file=sys.stderr)
        return 2
    (with_csv if sys.argv[1] == "csv" else with_pandas)(sys.argv[2], sys.argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main())
