#pragma once

namespace tabulink {

// The check boxes of the "ＣＳＶ　／　ＨＴＭＬ" tab that shape the table
// page, with their states at start; tabulink-batch starts from the same.
struct TableChecks {
    bool boldTopRow = true;     // Check1 "最上部を太字にする"
    bool boldLeftColumn = true; // Check2 "最左部を太字にする"
    bool border = true;         // Check3 "テーブルの枠線有り"
    bool fillEmpty = true;      // Check4 "空白にｽﾍﾟｰｽを入れる"
    bool stripQuotes = true;    // Check5 "両脇の"を取る"
    bool smallFont = false;     // Check7 "ﾃｰﾌﾞﾙﾌｫﾝﾄを8にする"
    bool centreAll = false;     // Check9 "全文字をセル中央にする"
};

} // namespace tabulink
