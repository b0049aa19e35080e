// tabulink-batch, the real program, run by bash as a script or a nightly job
// would run it: standard output, standard error, the exit status and the
// files left behind, written out by hand. Its page options are proven
// against the window's pages in tests/ui/tst_batch_window.cpp.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestBatchCli : public QObject
{
    Q_OBJECT
private slots:
    void scripts_data();
    void scripts();
};

// Run by bash in a fresh folder holding in.csv ("a,b" CR LF "1,2" CR LF)
// and in.txt ("x" LF); $0 is the program. The C locale gives the system's
// reasons in English. One row for each thing a script relies on.
void TestBatchCli::scripts_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    const QByteArray csv = "a,b\r\n1,2\r\n";
    const QByteArray seeHelp = "詳しくは 'tabulink-batch --help' を実行して下さい。\n";
    auto row = [](const char *name, const QByteArray &script, const QByteArray &out, const QByteArray &err) {
        QTest::newRow(name) << script << out << err;
    };
    row("many inputs into a folder, one missing, two with one output name",
        "printf 'c\\r\\n' > y.data.csv; cp in.csv nodot; mkdir out\n"
        "\"$0\" csv in.csv missing.csv y.data.csv nodot -O out; echo \" $?\"; cat out/*; ls out\n"
        "\"$0\" csv in.csv in.y.csv -O out; echo \" $?\"",
        " 1\n" + csv + csv + "c\r\nin.txt\nnodot.txt\ny.txt\n 1\n", "tabulink-batch: missing.csv: No such file or directory\n"
        "tabulink-batch: in.y.csv: 出力 in.txt は前の入力のものと重なります\n");
    row("standard input, a pipe, a FIFO, /dev/stdin",
        "cat in.csv | \"$0\" csv -; \"$0\" csv <(printf 'p\\r\\n'); \"$0\" csv /dev/stdin < in.csv\n"
        "mkfifo f; printf 'f\\r\\n' > f & \"$0\" csv f",
        csv + "p\r\n" + csv + "f\r\n", "");
    row("a pipe past the limit", "head -c 16777217 /dev/zero | \"$0\" text -; echo \" $?\"", " 1\n",
        "tabulink-batch: -: File too large（上限 16 MB）\n");
    row("descriptor outputs keep what the shell wrote",
        "{ echo HEADER; \"$0\" csv in.csv -o /dev/stdout; } > page; echo log > log\n"
        "\"$0\" csv in.csv -o /dev/stdout >> log; \"$0\" csv in.csv -o /dev/fd/3 3>> log\n"
        "\"$0\" csv in.csv -o /proc/self/fd/2 2>> log; cat page log",
        "HEADER\n" + csv + "log\n" + csv + csv + csv, "");
    row("a FIFO output is written into, never replaced",
        "mkfifo p; cat p > got & \"$0\" csv in.csv -o p; wait; test -p p && cat got", csv, "");
    row("output onto the input",
        "ln in.csv hard.csv; ln -s in.csv link.csv\n"
        "\"$0\" csv in.csv -o ./in.csv; \"$0\" csv hard.csv -o link.csv; echo \" $?\"; cat in.csv",
        " 1\n" + csv,
        "tabulink-batch: ./in.csv: 入力ファイル in.csv と同じファイルには書き出せません\n"
        "tabulink-batch: link.csv: 入力ファイル hard.csv と同じファイルには書き出せません\n");
    row("a failed job keeps the old output",
        "echo old > keep; \"$0\" table none.csv -o keep; \"$0\" text . -o keep; \"$0\" text in.txt -o .; echo \" $?\"; cat keep",
        " 1\nold\n", "tabulink-batch: none.csv: No such file or directory\ntabulink-batch: .: Is a directory\n"
        "tabulink-batch: .: 同じ名前のフォルダがあります\n");
    row("a link page in its own folder, twice",
        "mkdir d; cp in.txt d; \"$0\" links d -o d/index.html && cp d/index.html first\n"
        "\"$0\" links d -o d/./index.html && cmp first d/index.html && grep -c 'index.html' first",
        "0\n", "");
    // The last description of a name wins; a name not in the folder is reported.
    row("link descriptions",
        "mkdir d; touch d/A.jpg d/b.txt 'd/c d.png' d/.hidden; mkdir d/sub\n"
        "printf 'A.jpg,x\\r\\nA.jpg,\\x89\\xc4,\\x8aC\\r\\n\\r\\nx.gif,no\\r\\nb.txt,\\r\\nc d.png,<b>B</b>\\r\\n' > desc\n"
        "\"$0\" links d -d desc | grep -a 'href=\"[^h]'",
        "<A href=\"A.jpg\">\x89\xc4,\x8a""C</A></td></tr>\r\n<A href=\"b.txt\">b.txt</A></td></tr>\r\n"
        "<A href=\"c d.png\"><b>B</b></A></td></tr>\r\n",
        "tabulink-batch: desc: フォルダにないファイルの説明は使いません: x.gif\n");
    // A name that is not UTF-8 shows as the file list shows it and links by its bytes.
    row("link names not UTF-8",
        "mkdir d; touch d/$'\\xe8\\xa1\\xa8.txt' d/$'\\x95\\x5c.txt' d/b.txt; printf '\\xe8\\xa1\\xa8.txt,x\\r\\n' > desc\n"
        "\"$0\" links d -d desc | grep -a 'href=\"[^h]'",
        "<A href=\"%95%5C.txt\">%95\\.txt</A></td></tr>\r\n<A href=\"b.txt\">b.txt</A></td></tr>\r\n"
        "<A href=\"\x95\\.txt\">x</A></td></tr>\r\n", "");
    // A name that starts with a byte-order mark is another file than the name without it.
    row("link name with a byte-order mark",
        "mkdir d; touch d/$'\\xef\\xbb\\xbfa.txt' d/a.txt; printf 'a.txt,x\\r\\n' > desc\n"
        "\"$0\" links d -d desc | grep -a 'href=\"[^h]'",
        "<A href=\"a.txt\">x</A></td></tr>\r\n<A href=\"&#65279;a.txt\">&#65279;a.txt</A></td></tr>\r\n", "");
    row("csv: quotes go, what code page 932 lacks becomes ?",
        "printf 'a,\"b\",\\xf0\\x9f\\x98\\x80\\r\\n1,2\\r\\n' > u.csv; \"$0\" csv u.csv; \"$0\" csv u.csv --no-strip-quotes",
        "a,b,?\r\n1,2,2\r\na,\"\"b\"\",?\r\n1,2,2\r\n",
        QByteArray("tabulink-batch: -: Shift_JIS で表せない文字が 1 文字あったため、「?」に置き換えて保存しました。\n").repeated(2));
    row("backgrounds are the window's nine, an explicit one wins over the image",
        "for b in none 1 2 pink 9; do \"$0\" text in.txt --background=$b --background-image=bg.gif | grep -a '<BODY'; done\n"
        "\"$0\" text in.txt --background-image=bg.gif | grep -a '<BODY'; \"$0\" text in.txt --background=0; echo \" $?\"",
        "<BODY bgcolor=\"#ffffff\">\r\n<BODY bgcolor=\"#ffffff\">\r\n<BODY bgcolor=\"#84FFFF\">\r\n<BODY bgcolor=\"#FFC3C6\">\r\n"
        "<BODY background=\"bg.gif\">\r\n<BODY background=\"bg.gif\">\r\n 2\n",
        "tabulink-batch: --background の値「0」が正しくありません（white, skyblue, yellow, orange, "
        "green, indigo, pink, purple, image または 1〜9）\n" + seeHelp);
    // Clusters, abbreviations, attached values, "--" before an input named like an option.
    row("GNU options",
        "\"$0\" -Vh --frob | head -c 10; \"$0\" --vers --bogus; cp in.txt ./-in.txt; \"$0\" text in.txt --b; echo \" $?\"\n"
        "\"$0\" -tT -b http://a.example/ --minc -oout.html --background 7 text -- -in.txt; echo \" $?\"\n"
        "grep -a -e TITLE -e '<BODY' -e face out.html; grep -c a.example out.html",
        "使い方:tabulink-batch (Tabulink) 2.03\nCopyright (C) 2004 the Tabulink authors.\n"
        "License: see the copyright file of the Tabulink package.\n 2\n 0\n<TITLE>T</TITLE>\r\n<BODY bgcolor=\"#FFC3C6\">\r\n"
        "<FONT face=\"\x82\x6c\x82\x72 \x96\xbe\x92\xa9\">\r\n2\n",
        "tabulink-batch: 不明なオプションか、略し方が曖昧です: --b\n" + seeHelp);
    QByteArray mistakes;
    for (const char *m : {"コマンドがありません（table, csv, links, text, imode のどれか）", "不明なコマンドです: page",
                          "余分な引数があります: b（入力を複数にするには -O で出力フォルダを指定）",
                          "-o と -O は一緒に使えません", "オプション -o には値が必要です", "オプション --border には値を付けられません"})
        mistakes += "tabulink-batch: " + QByteArray(m) + "\n" + seeHelp;
    row("usage mistakes",
        "\"$0\"; \"$0\" page x; \"$0\" text a b; \"$0\" text a -o x -O d; \"$0\" text a -o; \"$0\" --border=1 table a; echo \" $?\"",
        " 2\n", mistakes);
    row("--help wins, fits 80 columns, says where to report",
        "\"$0\" table /nonexistent.csv --frob --help | tail -n 1; echo \" $?\"\n"
        "\"$0\" --help | LC_ALL=C.UTF-8 wc -L | awk '$1 <= 80 { print \"narrow\" }'",
        "問題の報告先: http://www.example.com/tabulink/\n 0\nnarrow\n", "");
    row("one-line errors",
        "\"$0\" table /nonexistent/x.csv; \"$0\" links in.txt; \"$0\" text in.txt -o no/x.html; echo \" $?\"",
        " 1\n",
        "tabulink-batch: /nonexistent/x.csv: No such file or directory\n"
        "tabulink-batch: in.txt: Not a directory\n"
        "tabulink-batch: no/x.html: フォルダ no に新しいファイルを作れません（No such file or directory）\n");
    row("standard output full or closed",
        "\"$0\" text in.txt > /dev/full; \"$0\" --help > /dev/full; \"$0\" text in.txt >&-; \"$0\" --version >&-; echo \" $?\"",
        " 1\n",
        "tabulink-batch: 標準出力: No space left on device\ntabulink-batch: 標準出力: No space left on device\n"
        "tabulink-batch: 標準出力: Bad file descriptor\ntabulink-batch: 標準出力: Bad file descriptor\n");
    // 題 is C2 EA in EUC-JP, 91 E8 in Shift_JIS.
    row("arguments in the locale's encoding",
        "localedef -i ja_JP -f EUC-JP loc/ja_JP.eucJP 2>/dev/null || exit 77\n"
        "LOCPATH=$PWD/loc LC_ALL=ja_JP.eucJP \"$0\" text in.txt -t $'\\xc2\\xea' | grep -a TITLE\n"
        "env -i \"$0\" text in.txt -t 題 | grep -a TITLE\n"
        "LC_ALL=C.UTF-8 \"$0\" text in.txt -t $'\\xc2\\xea'; echo \" $?\"",
        "<TITLE>\x91\xe8</TITLE>\r\n<TITLE>\x91\xe8</TITLE>\r\n 2\n",
        "tabulink-batch: 引数 4 は文字コード UTF-8 として正しくありません\n");
}

void TestBatchCli::scripts()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QTemporaryDir dir;
    QProcess bash;
    bash.setWorkingDirectory(dir.path());
    bash.start("bash", {"-c", "printf 'a,b\\r\\n1,2\\r\\n' > in.csv; echo x > in.txt; mkdir loc; export LC_ALL=C\n" + QString::fromUtf8(script), TABULINK_BATCH_BIN});
    QVERIFY(bash.waitForFinished(60000));
    if (bash.exitCode() == 77)
        QSKIP("no EUC-JP locale can be made here");
    QCOMPARE(bash.readAllStandardError(), err);
    QCOMPARE(bash.readAllStandardOutput(), out);
}

QTEST_GUILESS_MAIN(TestBatchCli)
#include "tst_batchcli.moc"
