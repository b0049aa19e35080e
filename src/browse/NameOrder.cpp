#include "browse/NameOrder.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>

namespace tabulink {

namespace NameOrder {

namespace {

// QCollator's collator for QLocale(Japanese, Japan) in numeric mode, set up
// attribute for attribute as QCollator sets it, so that the keys are its
// keys. Null when ICU cannot open it; QCollator then gives every name the
// same empty key.
UCollator *openCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *collator = ucol_open("ja", &status);
    if (U_FAILURE(status))
        return nullptr;
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_DEFAULT_STRENGTH, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return collator;
}

// A name's place in the sort: the first eight bytes of its key as one
// big-endian number decide most comparisons without leaving the array.
struct Item {
    uint64_t head;
    size_t key;     // offset of the whole key in the key buffer
    uint32_t index; // position of the name
};

uint64_t headOf(const uint8_t *key)
{
    uint64_t head = 0;
    bool ended = false;
    for (int i = 0; i < 8; ++i) {
        // Keys end with a zero byte and hold no other: what follows it
        // counts as zero, as it does for a byte-wise comparison.
        const uint8_t b = ended ? 0 : key[i];
        ended = ended || b == 0;
        head = (head << 8) | b;
    }
    return head;
}

} // namespace

std::vector<uint32_t> sorted(const std::vector<QStringView> &names)
{
    UCollator *collator = openCollator();
    std::vector<uint8_t> keys;
    keys.reserve(names.size() * 32 + 8);
    std::vector<Item> items;
    items.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const QStringView name = names[i];
        const size_t at = keys.size();
        int32_t size = 0;
        if (collator) {
            size_t room = 16 + size_t(name.size()) * 4;
            keys.resize(at + room);
            const auto *text = reinterpret_cast<const UChar *>(name.utf16());
            size = ucol_getSortKey(collator, text, int32_t(name.size()), keys.data() + at, int32_t(room));
            if (size_t(size) > room) {
                room = size_t(size);
                keys.resize(at + room);
                size = ucol_getSortKey(collator, text, int32_t(name.size()), keys.data() + at, int32_t(room));
            }
        }
        // Each key ends with its zero byte; an empty key (no collator, or
        // ICU failed) is that byte alone.
        keys.resize(at + size_t(std::max<int32_t>(size, 0)));
        if (size <= 0 || keys.back() != 0)
            keys.push_back(0);
        items.push_back(Item{0, at, uint32_t(i)});
    }
    if (collator)
        ucol_close(collator);
    for (Item &item : items)
        item.head = headOf(keys.data() + item.key);

    const auto *base = reinterpret_cast<const char *>(keys.data());
    std::sort(items.begin(), items.end(), [&](const Item &a, const Item &b) {
        if (a.head != b.head)
            return a.head < b.head;
        // The heads are equal; a zero in their last byte means both keys
        // ended within them.
        if ((a.head & 0xFF) != 0) {
            const int c = std::strcmp(base + a.key + 8, base + b.key + 8);
            if (c != 0)
                return c < 0;
        }
        return names[a.index].compare(names[b.index]) < 0;
    });
    std::vector<uint32_t> order;
    order.reserve(items.size());
    for (const Item &item : items)
        order.push_back(item.index);
    return order;
}

} // namespace NameOrder

} // namespace tabulink
