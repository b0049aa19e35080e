#pragma once

#include <QString>

namespace tabulink {

// The nine background options of the frame "ＨＴＭＬ背景色指定", in window order.
enum class BackgroundChoice {
    None,      // no option selected: the page has no BODY line
    White,     // Option1 "背景色なし"
    SkyBlue,   // Option2 "そらいろ"
    Yellow,    // Option3 "きいろ"
    Orange,    // Option4 "オレンジ"
    Green,     // Option5 "みどり"
    Indigo,    // Option6 "あいいろ"
    Pink,      // Option7 "ピンク"
    Purple,    // Option8 "むらさき"
    ImageFile  // Option9 "ﾌｧｲﾙ指定"
};

// Read from the window's controls each time a page is written.
struct PageOptions {
    QString title = QStringLiteral("ここにタイトルを入れて下さい");
    QString backUrl = QStringLiteral("http://");
    BackgroundChoice background = BackgroundChoice::White;
    QString backgroundImageUrl = QStringLiteral("http://");

    // A back address longer than 10 UTF-16 units gives the page its back links.
    bool hasBackLink() const { return backUrl.size() > 10; }
};

// Maps the index of the selected option button (1..9, 0 for none) to the choice.
BackgroundChoice backgroundFromOption(int optionNumber);

} // namespace tabulink
