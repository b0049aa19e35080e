#!/usr/bin/env python3
"""Writes the benchmark inputs of tabulink-batch, the same bytes on every run.

    gen_data.py OUTDIR            # full size: 200,000- and 1,000,000-line CSV,
                                  # 100,000 files, a 5 MB text
    gen_data.py OUTDIR --small    # a few lines of each, for the smoke test

OUTDIR gets csv_<lines>.csv (Shift_JIS, CR LF, 8 columns, a heading line,
quoted fields, empty cells), files_<count>/ (empty files) with
files_<count>.desc ("name,description" rows for every tenth file) and
text_<bytes>.txt (Shift_JIS, CR LF). Files already there with the right size
stamp are kept.

Every Shift_JIS byte written is a canonical code page 932 code: it reads
back as the same bytes (encode() checks it). tabulink-batch writes what it
reads through Unicode, so a NEC-selected IBM code comes back as its IBM
code and a byte that does not decode as "&#65533;"; the byte-level
baselines copy bytes as they are and do not repeat those changes, so the
data must not hold such codes for the pages to be compared byte for byte.
"""

import argparse
import os
import random
import sys

SEED = 20041029

SURNAMES = ["佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤",
            "吉田", "山田", "佐々木", "山口", "松本", "井上", "木村", "林", "斎藤", "清水"]
GIVEN = ["太郎", "花子", "一郎", "美咲", "健太", "陽菜", "翔", "結衣", "大輔", "さくら"]
PREFS = ["東京都", "大阪府", "北海道", "福岡県", "愛知県", "神奈川県", "京都府", "沖縄県"]
CITIES = ["中央区", "北区", "港区", "緑区", "西区", "南区", "青葉区", "若葉町"]
ITEMS = ["りんご", "みかん", "ﾊﾞﾅﾅ", "ぶどう", "もも", "メロン", "いちご", "なし", "柿", "すいか"]
NOTES = ["", "", "", "至急", "\"要確認\"", "再送", "ｷｬﾝｾﾙ待ち", "①初回", "～月末"]
WORDS = ["今日は", "とても", "良い", "天気", "でした。", "明日も", "晴れる", "でしょう。", "ｶﾀｶﾅ", "漢字",
         "ひらがな", "English", "words", "and", "numbers", "12345", "、", "「引用」", "（括弧）", "※注意"]


def encode(text):
    data = text.encode("cp932")
    if data.decode("cp932").encode("cp932") != data:
        raise SystemExit("gen_data.py: data that does not read back as the same code page 932 bytes")
    return data


def csv_lines(count):
    rnd = random.Random(SEED)
    yield "番号,氏名,住所,品名,数量,単価,金額,備考"
    for i in range(1, count):
        qty = rnd.randint(1, 99)
        price = rnd.randint(50, 5000)
        name = rnd.choice(SURNAMES) + " " + rnd.choice(GIVEN)
        addr = '"' + rnd.choice(PREFS) + rnd.choice(CITIES) + str(rnd.randint(1, 30)) + '-' \
            + str(rnd.randint(1, 20)) + '"'
        yield f"{i},{name},{addr},{rnd.choice(ITEMS)},{qty},{price},{qty * price},{rnd.choice(NOTES)}"


def write_csv(path, count):
    with open(path, "wb") as f:
        chunk = []
        for line in csv_lines(count):
            chunk.append(line)
            if len(chunk) >= 10000:
                f.write(encode("\r\n".join(chunk) + "\r\n"))
                chunk = []
        if chunk:
            f.write(encode("\r\n".join(chunk) + "\r\n"))


def file_names(count):
    rnd = random.Random(SEED + 1)
    kinds = [("IMG_{:06d}.jpg", 5), ("写真_{:06d}.png", 2), ("資料 {:06d}.pdf", 1), ("memo-{:06d}.txt", 2)]
    pattern = [k for k, weight in kinds for _ in range(weight)]
    for i in range(count):
        yield rnd.choice(pattern).format(i)


def write_folder(folder, desc_path, count):
    os.makedirs(folder, exist_ok=True)
    rows = []
    for i, name in enumerate(file_names(count)):
        open(os.path.join(folder, name), "wb").close()
        if i % 10 == 0:
            rows.append(f"{name},{SURNAMES[i % len(SURNAMES)]}さんの{ITEMS[i % len(ITEMS)]}の写真")
    with open(desc_path, "wb") as f:
        f.write(encode("\r\n".join(rows) + "\r\n"))


def write_text(path, size):
    rnd = random.Random(SEED + 2)
    out = bytearray()
    while len(out) < size:
        if rnd.random() < 0.08:
            line = ""
        else:
            line = "".join(rnd.choice(WORDS) for _ in range(rnd.randint(3, 25)))
        out += encode(line) + b"\r\n"
    with open(path, "wb") as f:
        f.write(bytes(out[:size]).rsplit(b"\r\n", 1)[0] + b"\r\n")


def stamped(path, stamp):
    mark = path + ".stamp"
    try:
        with open(mark) as f:
            return f.read() == stamp and os.path.exists(path)
    except OSError:
        return False


def stamp(path, value):
    with open(path + ".stamp", "w") as f:
        f.write(value)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--small", action="store_true")
    args = parser.parse_args()

    if args.small:
        csv_counts, file_count, text_bytes = [200, 1000], 100, 5000
    else:
        csv_counts, file_count, text_bytes = [200000, 1000000], 100000, 5000000
    os.makedirs(args.outdir, exist_ok=True)

    for count in csv_counts:
        path = os.path.join(args.outdir, f"csv_{count}.csv")
        if not stamped(path, "v1"):
            write_csv(path, count)
            stamp(path, "v1")
        print(path)
    folder = os.path.join(args.outdir, f"files_{file_count}")
    if not stamped(folder, "v1"):
        write_folder(folder, folder + ".desc", file_count)
        stamp(folder, "v1")
    print(folder)
    path = os.path.join(args.outdir, f"text_{text_bytes}.txt")
    if not stamped(path, "v1"):
        write_text(path, text_bytes)
        stamp(path, "v1")
    print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
