// Shift-JIS (code page 932) byte helpers: double-byte characters are never split.
#pragma once
#include <cstddef>
#include <string>

inline bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Bytes of the character at s: 2 for a lead byte and its trail byte, else 1.
inline int SjisCharLength(const char* s) { return IsSjisLead(static_cast<unsigned char>(s[0])) && s[1] ? 2 : 1; }

// ASCII letters in upper case; every other byte as it is (callers keep trail bytes away from it).
inline unsigned char FoldAscii(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }

// Length of the longest prefix of s (at most maxBytes bytes) that ends on a character boundary.
size_t SjisFitLength(const char* s, size_t maxBytes);

// Length of s without a lead byte at its very end that lost its second byte.
size_t SjisCompleteLength(const char* s);

// Copies src into dst[dstSize] (dstSize >= 1), cut on a character boundary; always terminated.
void CopyField(char* dst, size_t dstSize, const char* src);

// Cuts s in place to at most maxBytes bytes on a character boundary.
void SjisCut(char* s, size_t maxBytes);

// A text for a field of size bytes, its terminating zero included: whole when it fits, else cut
// on a character boundary to size - 4 bytes and "..." appended, so that a reader sees it was cut.
std::string SjisShortened(const std::string& text, size_t size);
