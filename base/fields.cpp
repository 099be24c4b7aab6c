#include "base/fields.h"

#include <cstdint>
#include <cstring>

#include "base/sjis.h"

int SplitFields(char* text, char sep, char** items, int maxItems) {
    if (!text || !*text) return 0;
    int count = 0;
    char* start = text;
    bool inBrackets = false;
    char* p = text;
    while (*p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (IsSjisLead(c) && p[1]) {
            p += 2;
            continue;
        }
        if (inBrackets) {
            if (c == ']') inBrackets = false;
        } else if (c == '[') {
            inBrackets = true;
        } else if (*p == sep) {
            *p = 0;
            if (items && count < maxItems) items[count] = start;
            ++count;
            start = p + 1;
        }
        ++p;
    }
    if (*start) {  // a trailing separator leaves no empty last item
        if (items && count < maxItems) items[count] = start;
        ++count;
    }
    return count;
}

char* UnclosedBracket(char* text) {
    char* open = nullptr;
    for (char* p = text; *p; ++p) {
        if (IsSjisLead(static_cast<unsigned char>(*p)) && p[1]) ++p;
        else if (*p == '[' && !open) open = p;
        else if (*p == ']') open = nullptr;
    }
    return open;
}

void DropTrailingBlanks(char* text) {
    size_t n = std::strlen(text);
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
    text[n] = 0;
}

void KeepListItem(char* text) {
    if (char* open = UnclosedBracket(text)) *open = 0;
    KeepStoredTail(text);
}

void KeepStoredTail(char* text) {
    // A blank may have been the second byte of a broken character, and a lone lead byte may hide
    // blanks before it: both go until neither is left.
    for (size_t n = std::strlen(text);;) {
        text[SjisCompleteLength(text)] = 0;
        DropTrailingBlanks(text);
        size_t left = std::strlen(text);
        if (left == n) return;
        n = left;
    }
}

int LeadingNumber(const char* s) {
    while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
    bool negative = *s == '-';
    if (*s == '-' || *s == '+') ++s;
    long long v = 0;
    for (; *s >= '0' && *s <= '9'; ++s)
        if (v < (1LL << 32)) v = v * 10 + (*s - '0');
    if (negative) v = -v;
    return static_cast<int>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
}
