// Comma lists: SplitFields on any text with any separator, and LeadingNumber on every item.
// The items joined again by the separator are the text (less a separator at its very end); no
// split falls on the second byte of a double-byte character or inside "[" ... "]"; the count
// is the same with and without room for the items; a number saturates instead of overflowing.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <string>
#include <vector>

#include "base/fields.h"
#include "fuzz_common.h"

namespace {
// LeadingNumber as its header describes it, counted in a wider type.
long long Saturated(const char* s) {
    while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
    bool negative = *s == '-';
    if (*s == '-' || *s == '+') ++s;
    __int128 v = 0;
    for (; *s >= '0' && *s <= '9'; ++s)
        if (v <= INT_MAX + 1LL) v = v * 10 + (*s - '0');
    if (negative) v = -v;
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<long long>(v);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    char sep = in.ConsumeIntegral<char>();
    int maxItems = in.ConsumeIntegralInRange(0, 40);
    std::string text = in.ConsumeRemainingBytesAsString();
    text.resize(std::strlen(text.c_str()));

    std::string counted = text;
    int count = SplitFields(counted.data(), sep, nullptr, 0);
    std::string split = text;
    std::vector<char*> items(static_cast<size_t>(maxItems) + 1, nullptr);
    int n = SplitFields(split.data(), sep, items.data(), maxItems);
    FUZZ_CHECK(n == count, "count %d with items, %d without", n, count);
    FUZZ_CHECK(items[static_cast<size_t>(maxItems)] == nullptr, "an item stored past maxItems");
    FUZZ_CHECK(text.empty() ? n == 0 : n >= 1, "%d items of a text of %zu bytes", n, text.size());

    // Where a split may fall: outside brackets, on a character boundary.
    std::vector<bool> splittable(text.size(), false);
    bool inBrackets = false;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsSjisLead(c) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (inBrackets) inBrackets = c != ']';
        else if (c == '[') inBrackets = true;
        else splittable[i] = text[i] == sep;
    }
    // Every separator where a split may fall became a NUL; nothing else changed.
    for (size_t i = 0; i < text.size(); ++i)
        FUZZ_CHECK(split[i] == (splittable[i] ? '\0' : text[i]), "byte %zu split wrongly", i);

    int stored = n < maxItems ? n : maxItems;
    const char* expect = split.data();
    for (int i = 0; i < stored; ++i) {
        FUZZ_CHECK(items[static_cast<size_t>(i)] == expect, "item %d does not start behind the last split", i);
        expect += std::strlen(expect) + 1;
        long long want = Saturated(items[static_cast<size_t>(i)]);
        FUZZ_CHECK(LeadingNumber(items[static_cast<size_t>(i)]) == want, "LeadingNumber of item %d", i);
    }
    return 0;
}
