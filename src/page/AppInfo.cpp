#include "page/AppInfo.h"

#include <QStringList>

namespace tabulink {

namespace AppInfo {

QString applicationTitle()
{
    return QStringLiteral("Tabulink");
}

QString windowCaption()
{
    return QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）");
}

QString versionConstant()
{
    return QStringLiteral("Tabulink ver 2.03 - 2004/10/29");
}

QString footerVersionOf(const QString &constant)
{
    const qsizetype dash = constant.indexOf(u'-');
    return (dash < 0 ? constant : constant.left(dash)).trimmed();
}

QString footerVersion()
{
    return footerVersionOf(versionConstant());
}

QString downloadPageUrl()
{
    return QStringLiteral("http://www.example.com/tabulink/");
}

QString exampleBackgroundUrl()
{
    return QStringLiteral("http://www.example.com/tabulink/img/haikei.gif");
}

namespace {
QString joinCrLf(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}
} // namespace

QString usageText()
{
    return joinCrLf({
        QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）　使用方法"),
        QString(),
        QStringLiteral("ファイル作成方法は２通りあります。"),
        QString(),
        QStringLiteral("１．csvﾌｧｲﾙをﾀﾞﾌﾞﾙｸﾘｯｸします。csv/htmlﾀｸﾞ右上の｢csvﾌｧｲﾙ読込｣をｸﾘｯｸします。ﾘｽﾄが表示されます。"),
        QStringLiteral("　　｢ｸﾞﾘｯﾄﾞに転送｣を押します。ｸﾞﾘｯﾄﾞにﾃﾞｰﾀが表示されます。ﾏｽ(ｾﾙ)を右ｸﾘｯｸして削除ﾒﾆｭｰが出ます。"),
        QStringLiteral("　　｢html保存｣ﾎﾞﾀﾝを押してﾌｧｲﾙ作成できます。"),
        QString(),
        QStringLiteral("２．ｸﾞﾘｯﾄﾞの列と行を指定。その右側の入力ｴﾘｱよりｸﾞﾘｯﾄﾞ左上からﾃﾞｰﾀを入力します。"),
        QStringLiteral("　　enterｷｰにより次のｾﾙ位置に移動します。｢html保存｣または｢csv保存｣ﾎﾞﾀﾝを押下でﾌｧｲﾙ作成。"),
        QString(),
        QStringLiteral("３．リンクhtmlﾌｧｲﾙを作成します。(画像に最適)ﾘﾝｸﾌｧｲﾙのあるﾃﾞｨﾚｸﾄﾘに移り､ﾌｧｲﾙ名取り込みﾎﾞﾀﾝを押します。"),
        QStringLiteral("　　そのままhtml作成ﾎﾞﾀﾝ押下でも作成できますが日本語説明を入れたい時にはﾘｽﾄをﾀﾞﾌﾞﾙｸﾘｯｸして"),
        QStringLiteral("　　日本語の説明を入れて登録してhtml作成ﾎﾞﾀﾝ押下して下さい。"),
        QString(),
        QStringLiteral("他．薄黄色の所は右ｸﾘｯｸするとメニューが出ます。"),
        QString(),
        QString(),
        versionConstant(),
    });
}

QString versionText()
{
    return joinCrLf({
        QStringLiteral("Ｔａｂｕｌｉｎｋ　（ｈｔｍｌ化ツール）"),
        QString(),
        QStringLiteral("ＣＳＶファイル等をｈｔｍｌファイルに作成しなおせます。"),
        QStringLiteral("ＣＳＶファイルも作成することが出来ます。"),
        QString(),
        versionConstant(),
        QString(),
        QStringLiteral("このソフトウェアはフリーソフトです。改変しないかぎり自由に配布できます。"),
    });
}

} // namespace AppInfo

} // namespace tabulink
