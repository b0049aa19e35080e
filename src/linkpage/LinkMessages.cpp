#include "linkpage/LinkMessages.h"

namespace tabulink {

namespace LinkMessages {

QString instructions()
{
    return QStringLiteral("ディレクトリ中にあるファイルのリンクＨＰを簡単に作成します。その右側に説明文をつけられます。")
        + QStringLiteral("\r\n")
        + QStringLiteral("①対象ディレクトリに移動します。②ファイル名取り込みボタンを押下します。")
        + QStringLiteral("\r\n")
        + QStringLiteral("③説明文を入れたい行をダブルクリックします。④説明文入力の所で内容を記入し右側の登録ボタンを押す。説明文を入れたい行全て繰り返します。");
}

QString discardTitle()
{
    return QStringLiteral("説明文の破棄確認");
}

QString discardQuestion()
{
    return QStringLiteral("\n登録した説明文が、まだリンクのｈｔｍｌファイルに書き出されていません。\n"
                          "説明文を破棄してよろしいですか？\n");
}

QString nothingLoaded()
{
    return QStringLiteral("登録データがありません");
}

QString rowGone(const QString &fileName)
{
    return QStringLiteral("「%1」の行がファイル名の一覧にもうありません。\n"
                          "一覧は変更していません。入力した説明文はそのまま残っています。")
        .arg(fileName);
}

} // namespace LinkMessages

} // namespace tabulink
