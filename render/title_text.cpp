#include "render/title_text.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/sjis.h"

const char* EraOf(int year, int month, int* eraYear) {
    if (year > 2019 || (year == 2019 && month >= 5)) {
        *eraYear = year - 2018;
        return "令和";
    }
    if (year >= 1989) {
        *eraYear = year - 1988;
        return "平成";
    }
    *eraYear = year - 1925;
    return "昭和";
}

void FormatTitle(const char* titleForm, const std::tm& displayed, char* out, int outSize) {
    if (outSize <= 0) return;
    out[0] = 0;
    char limited[64];
    CopyField(limited, sizeof limited, titleForm ? titleForm : "");
    std::string form = limited;
    int eraYear;
    const char* era = EraOf(displayed.tm_year + 1900, displayed.tm_mon + 1, &eraYear);
    size_t at = form.find("%g");
    if (at != std::string::npos) form.replace(at, 2, era);
    at = form.find("%h");
    if (at != std::string::npos) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%2d", eraYear);
        form.replace(at, 2, digits);
    }
    at = form.find("%m");
    if (at != std::string::npos && displayed.tm_mon + 1 < 10) form.replace(at, 2, 1, static_cast<char>('1' + displayed.tm_mon));
    // Conversions the runtime may not know (some abort on them) are shown as written.
    std::string safe;
    for (size_t i = 0; i < form.size(); ++i) {
        if (form[i] != '%') {
            safe += form[i];
            continue;
        }
        size_t k = i + 1;
        if (k < form.size() && form[k] == '#') ++k;
        if (k < form.size() && std::strchr("aAbBcdHIjmMpSUwWxXyYZ%", form[k])) {
            safe.append(form, i, k - i + 1);
            i = k;
        } else {
            safe += "%%";
        }
    }
    char text[256];
    size_t n = std::strftime(text, sizeof text, safe.c_str(), &displayed);
    if (n == 0) return;
    CopyField(out, static_cast<size_t>(outSize), text);
}
