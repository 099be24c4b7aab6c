// Patterns that come from a file (the countdown forms) filled in without ever handing them to
// printf: only the conversions a pattern is meant to have are filled, everything else is shown
// as it is written, so "%s" in a date form or "%n" anywhere is just text.
#pragma once
#include <string>
#include <vector>

struct FormatArg {
    char kind;  // 'd' a number, 's' a text
    long long number;
    const char* text;
};

inline FormatArg NumberArg(long long n) { return FormatArg{'d', n, nullptr}; }
inline FormatArg TextArg(const char* t) { return FormatArg{'s', 0, t ? t : ""}; }

// Fills pattern with args in order. A conversion is "%" [flags "-+ 0"] [width] ["." precision]
// then "d" or "i" (number) or "s" (text), width and precision at most two digits; it takes the
// next argument only when that argument is of its kind. "%%" is one "%". Every other "%" and
// every conversion without a fitting argument stays as written. A text's precision cuts it on a
// character boundary.
std::string FormatFromFile(const char* pattern, const std::vector<FormatArg>& args);
