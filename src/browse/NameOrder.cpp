#include "browse/NameOrder.h"

#include <unicode/ucol.h>

#include <algorithm>

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
    // Tertiary, below Japanese's own default: a hiragana and a katakana
    // name of the same sound hold equal keys.
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_DEFAULT_STRENGTH, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return collator;
}

// A name's place in the sort: eight bytes of its key from the depth being
// sorted on, as one big-endian number, so that comparisons stay within the
// array.
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

// Sorts [begin, end), whose keys agree up to depth, by the keys from depth
// on: by eight bytes, then each run that agrees on them by the next eight.
// Names whose whole keys agree go in UTF-16 order.
void sortFrom(Item *begin, Item *end, size_t depth, const uint8_t *keys, const std::vector<QStringView> &names)
{
    if (end - begin < 2)
        return;
    const auto inNameOrder = [&](const Item &a, const Item &b) {
        return names[a.index].compare(names[b.index]) < 0;
    };
    // A long common beginning is passed over without sorting.
    for (bool same = true; same; depth += 8) {
        for (Item *item = begin; item != end; ++item) {
            item->head = headOf(keys + item->key + depth);
            same = same && item->head == begin->head;
        }
        if (!same)
            break;
        if ((begin->head & 0xFF) == 0) {
            std::sort(begin, end, inNameOrder);
            return;
        }
    }
    std::sort(begin, end, [](const Item &a, const Item &b) { return a.head < b.head; });
    for (Item *run = begin; run != end;) {
        Item *runEnd = run + 1;
        while (runEnd != end && runEnd->head == run->head)
            ++runEnd;
        if (runEnd - run > 1) {
            // A zero last byte: the keys ended within these eight bytes.
            if ((run->head & 0xFF) != 0) {
                sortFrom(run, runEnd, depth + 8, keys, names);
            } else {
                std::sort(run, runEnd, inNameOrder);
            }
        }
        run = runEnd;
    }
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
    sortFrom(items.data(), items.data() + items.size(), 0, keys.data(), names);
    std::vector<uint32_t> order;
    order.reserve(items.size());
    for (const Item &item : items)
        order.push_back(item.index);
    return order;
}

} // namespace NameOrder

} // namespace tabulink
