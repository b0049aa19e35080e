#include "ui/PageOptionsPanel.h"

#include "page/AppInfo.h"
#include "shell/KeptOptions.h"
#include "ui/ClickableLabel.h"
#include "ui/Fonts.h"
#include "ui/TabPage.h"
#include "ui/TwoStateCheckBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tabulink {

namespace {
struct OptionSpec {
    const char *name;
    const char *caption;
    int x, y;
    QColor swatch;
};
} // namespace

PageOptionsPanel::PageOptionsPanel(QWidget *area)
    : QObject(area)
{
    placeAt(new QLabel(QStringLiteral("ｈｔｍｌタイトル："), area), "Label4", 304, 404, 81, 17);
    m_titleEdit = placeAt(new QLineEdit(QStringLiteral("ここにタイトルを入れて下さい"), area), "Text2", 376, 400, 321, 18);
    m_tableBorderBox = placeAt(new TwoStateCheckBox(QStringLiteral("テーブルの枠線有り"), area), "Check3", 712, 400, 121, 17);
    m_tableBorderBox->setFont(Fonts::gothic(8.25));
    placeAt(new QLabel(QStringLiteral("戻るＵＲＬ："), area), "Label5", 304, 428, 57, 17);
    m_backUrlEdit = placeAt(new QLineEdit(QStringLiteral("http://"), area), "Text3", 360, 424, 473, 18);

    m_backgroundFrame = placeAt(new QGroupBox(QStringLiteral("ＨＴＭＬ背景色指定"), area), "Frame3", 8, 448, 833, 73);
    const OptionSpec specs[9] = {
        {"Option1", "背景色なし", 8, 16, QColor()},
        {"Option2", "そらいろ", 96, 16, QColor(128, 255, 255)},
        {"Option3", "きいろ", 184, 16, QColor(255, 255, 128)},
        {"Option4", "オレンジ", 272, 16, QColor(255, 192, 128)},
        {"Option5", "みどり", 360, 16, QColor(128, 255, 128)},
        {"Option6", "あいいろ", 448, 16, QColor(192, 192, 255)},
        {"Option7", "ピンク", 536, 16, QColor(255, 192, 192)},
        {"Option8", "むらさき", 624, 16, QColor(255, 192, 255)},
        {"Option9", "ﾌｧｲﾙ指定", 8, 36, QColor()},
    };
    for (int i = 0; i < 9; ++i) {
        auto *button = placeAt(new QRadioButton(QString::fromUtf8(specs[i].caption), m_backgroundFrame),
                               specs[i].name, specs[i].x, specs[i].y, 81, 17);
        if (specs[i].swatch.isValid()) {
            button->setAutoFillBackground(true);
            QPalette pal = button->palette();
            pal.setColor(QPalette::Window, specs[i].swatch);
            pal.setColor(QPalette::Button, specs[i].swatch);
            button->setPalette(pal);
        }
        m_backgroundButtons[i] = button;
    }
    m_backgroundButtons[0]->setChecked(true);
    m_backgroundUrlEdit = placeAt(new QLineEdit(QStringLiteral("http://"), m_backgroundFrame), "Text5", 96, 35, 729, 18);
    m_exampleLabel = placeAt(new ClickableLabel(QStringLiteral("例　：　") + AppInfo::exampleBackgroundUrl(), m_backgroundFrame),
                        "Label16", 96, 56, 393, 17);
    m_exampleLabel->setCursor(Qt::PointingHandCursor);
    connect(m_exampleLabel, &ClickableLabel::clicked, this, &PageOptionsPanel::useExampleBackground);
}

void PageOptionsPanel::useExampleBackground()
{
    m_backgroundUrlEdit->setText(AppInfo::exampleBackgroundUrl());
    m_backgroundButtons[8]->setChecked(true);
}

KeptOptions PageOptionsPanel::keptOptions(const QList<TwoStateCheckBox *> &boxes) const
{
    KeptOptions kept;
    kept.title = m_titleEdit->text();
    kept.backUrl = m_backUrlEdit->text();
    kept.backgroundImageUrl = m_backgroundUrlEdit->text();
    for (int i = 0; i < 9; ++i) {
        if (m_backgroundButtons[i]->isChecked())
            kept.backgroundOption = i + 1;
    }
    for (const TwoStateCheckBox *box : boxes)
        kept.ticks.insert(box->objectName(), box->isTicked());
    return kept;
}

void PageOptionsPanel::restore(const KeptOptions &kept, const QList<TwoStateCheckBox *> &boxes)
{
    if (kept.title)
        m_titleEdit->setText(*kept.title);
    if (kept.backUrl)
        m_backUrlEdit->setText(*kept.backUrl);
    if (kept.backgroundImageUrl)
        m_backgroundUrlEdit->setText(*kept.backgroundImageUrl);
    if (kept.backgroundOption)
        m_backgroundButtons[*kept.backgroundOption - 1]->setChecked(true);
    for (TwoStateCheckBox *box : boxes) {
        const auto tick = kept.ticks.constFind(box->objectName());
        if (tick != kept.ticks.cend())
            box->setChecked(*tick);
    }
}

PageOptions PageOptionsPanel::readPageOptions() const
{
    PageOptions o;
    o.title = m_titleEdit->text();
    o.backUrl = m_backUrlEdit->text();
    o.backgroundImageUrl = m_backgroundUrlEdit->text();
    o.background = BackgroundChoice::None;
    for (int i = 0; i < 9; ++i) {
        if (m_backgroundButtons[i]->isChecked()) {
            o.background = backgroundFromOption(i + 1);
            break;
        }
    }
    return o;
}

} // namespace tabulink
