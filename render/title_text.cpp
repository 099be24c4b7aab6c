#include "render/title_text.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/sjis.h"
#include "calendar/civil_date.h"

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
    // Each conversion goes through strftime on its own and the text between them is copied as
    // it is: the runtime need not know code page 932, and conversions it may not know (some
    // runtimes abort on them) are shown as written.
    std::string text;
    for (size_t i = 0; i < form.size(); ++i) {
        if (form[i] != '%') {
            text += form[i];
            continue;
        }
        size_t k = i + 1;
        if (k < form.size() && form[k] == '#') ++k;
        if (k < form.size() && std::strchr("aAbBcdHIjmMpSUwWxXyYZ%", form[k])) {
            char piece[128];
            std::string conversion = form.substr(i, k - i + 1);
            size_t n = std::strftime(piece, sizeof piece, conversion.c_str(), &displayed);
            text.append(piece, n);
            i = k;
        } else {
            text += '%';
        }
    }
    if (text.size() > 255) text.resize(SjisFitLength(text.c_str(), 255));
    CopyField(out, static_cast<size_t>(outSize), text.c_str());
}

std::vector<std::string> TitlesOfYear(const char* titleForm, int year) {
    std::vector<std::string> titles;
    for (int month = 0; month < 12; ++month) {
        std::tm first = {};
        first.tm_year = year - 1900;
        first.tm_mon = month;
        first.tm_mday = 1;
        first.tm_hour = 12;
        char title[256];
        FormatTitle(titleForm, NormaliseDate(first), title, sizeof title);
        titles.push_back(title);
    }
    return titles;
}
