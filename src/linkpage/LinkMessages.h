#pragma once

#include <QString>

namespace tabulink {

// Every text the link tab shows the user, in one place.
namespace LinkMessages {

// The three instruction lines above the buttons, CR LF between them.
QString instructions();
// The question before typed descriptions are lost, under "説明文の破棄確認";
// its default answer is いいえ.
QString discardTitle();
QString discardQuestion();
// "登録データがありません": nothing was loaded into the edit row.
QString nothingLoaded();
// The loaded file's row is gone; the typed description stays.
QString rowGone(const QString &fileName);
} // namespace LinkMessages

} // namespace tabulink
