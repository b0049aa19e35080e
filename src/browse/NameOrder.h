#pragma once

#include <QStringView>

#include <cstdint>
#include <vector>

namespace tabulink {

// The order of names in the folder and file lists: Japanese collation with
// numbers compared by value ("写真 2" before "写真 10", "２日目" before kanji),
// ties in plain UTF-16 code unit order so that equal-looking names keep one
// order. It is the order of QCollator for Japan in numeric mode, computed
// with one sort key per name in one buffer, which is several times faster
// over a hundred thousand names.
namespace NameOrder {

// The positions of names, in list order.
std::vector<uint32_t> sorted(const std::vector<QStringView> &names);

} // namespace NameOrder

} // namespace tabulink
