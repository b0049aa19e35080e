#include "ui/AppSetup.h"

#include "ui/Fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QStyleFactory>

namespace tabulink {

void setUpApplication()
{
    Fonts::installSubstitutions();
    // Qt's own buttons and dialogs ("はい", "いいえ", the file dialog) in Japanese.
    static QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setFont(Fonts::gothic(9));
    // The inventory's buttons are 17 pixels high: keep the frame thin so the
    // caption fits.
    qApp->setStyleSheet(QStringLiteral(
        "QPushButton { padding: 0px 1px; }"
        "QTabBar::tab { height: 20px; width: 165px; padding: 0px 4px; }"));
}

} // namespace tabulink
