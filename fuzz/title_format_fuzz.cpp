// The title and the countdown forms, both written by hand in the configuration file.
// FormatTitle never writes past its buffer, and strftime only ever sees one conversion of its
// list at a time (this program is linked with --wrap=strftime to watch it): any other "%" is
// text. FormatFromFile fills exactly the conversions its header names, checked against the C
// library's own formatting of each one, and shows everything else as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "base/file_format.h"
#include "calendar/civil_date.h"
#include "fuzz_common.h"
#include "render/title_text.h"

extern "C" size_t __real_strftime(char* out, size_t size, const char* format, const std::tm* tm);

extern "C" size_t __wrap_strftime(char* out, size_t size, const char* format, const std::tm* tm) {
    size_t n = std::strlen(format);
    bool one = format[0] == '%' && (n == 2 || (n == 3 && format[1] == '#')) &&
               std::strchr("aAbBcdHIjmMpSUwWxXyYZ%", format[n - 1]) != nullptr;
    FUZZ_CHECK(one, "strftime was given \"%s\"", format);
    return __real_strftime(out, size, format, tm);
}

namespace {
// FormatFromFile as its header describes it: a conversion is "%" [flags "-+ 0"] [width]
// ["." precision] then d, i or s, width and precision at most two digits; it takes the next
// argument only when that is of its kind. The C library formats each one.
std::string Reference(const char* pattern, const std::vector<FormatArg>& args) {
    std::string out;
    size_t next = 0;
    const char* p = pattern;
    while (*p) {
        if (IsSjisLead(static_cast<unsigned char>(*p)) && p[1]) {
            out.append(p, 2);
            p += 2;
            continue;
        }
        if (p[0] == '%' && p[1] == '%') {
            out += '%';
            p += 2;
            continue;
        }
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* q = p + 1;
        std::string flags;
        while (*q && std::strchr("-+ 0", *q)) flags += *q++;
        const char* w = q;
        while (*q >= '0' && *q <= '9') ++q;
        size_t widthDigits = static_cast<size_t>(q - w);
        std::string width(w, q);
        std::string precision;
        bool hasPrecision = *q == '.';
        size_t precisionDigits = 0;
        if (hasPrecision) {
            const char* r = ++q;
            while (*q >= '0' && *q <= '9') ++q;
            precisionDigits = static_cast<size_t>(q - r);
            precision.assign(r, q);
        }
        char kind = *q == 'i' ? 'd' : *q;
        bool fits = widthDigits <= 2 && precisionDigits <= 2 && (kind == 'd' || kind == 's') && next < args.size() &&
                    args[next].kind == kind;
        if (!fits) {
            out += *p++;
            continue;
        }
        const FormatArg& arg = args[next++];
        char piece[512];
        if (kind == 'd') {
            std::string conversion = "%" + flags + width + (hasPrecision ? "." + precision : "") + "lld";
            std::snprintf(piece, sizeof piece, conversion.c_str(), arg.number);
        } else {
            std::string text = arg.text;
            if (hasPrecision) text.resize(SjisFitLength(text.c_str(), static_cast<size_t>(std::atoi(("0" + precision).c_str()))));
            std::string textFlags = flags.find('-') != std::string::npos ? "-" : "";
            std::snprintf(piece, sizeof piece, ("%" + textFlags + width + "s").c_str(), text.c_str());
        }
        out += piece;
        p = q + 1;
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    int outSize = in.ConsumeIntegralInRange(1, 300);
    int day = in.ConsumeIntegralInRange(DayNumberOf(1900, 1, 1), DayNumberOf(2100, 12, 31));
    long long number = in.ConsumeIntegral<long long>();
    std::string text = in.ConsumeRandomLengthString(100);
    int kinds = in.ConsumeIntegral<uint8_t>();
    std::string form = in.ConsumeRandomLengthString(200);

    std::tm displayed{};
    displayed.tm_year = 70;
    displayed.tm_mon = 0;
    displayed.tm_mday = 1 + day;
    displayed = NormaliseDate(displayed);
    std::vector<char> out(static_cast<size_t>(outSize) + 16, 0x55);
    FormatTitle(form.c_str(), displayed, out.data(), outSize);
    for (size_t i = static_cast<size_t>(outSize); i < out.size(); ++i) FUZZ_CHECK(out[i] == 0x55, "written past the title's buffer");
    size_t len = strnlen(out.data(), static_cast<size_t>(outSize));
    FUZZ_CHECK(len < static_cast<size_t>(outSize), "the title has no end within its buffer");
    // A form without any "%" is shown as written (cut to the form's 63 bytes and the buffer).
    if (form.find('%') == std::string::npos) {
        char limited[64];
        CopyField(limited, sizeof limited, form.c_str());
        std::string want(limited, SjisFitLength(limited, static_cast<size_t>(outSize - 1)));
        FUZZ_CHECK(want == out.data(), "title \"%s\" of \"%s\"", out.data(), limited);
    }

    // Three arguments of the kinds the bits say.
    std::vector<FormatArg> args;
    for (int i = 0; i < 3; ++i) args.push_back(kinds >> i & 1 ? TextArg(text.c_str()) : NumberArg(static_cast<long long>(static_cast<unsigned long long>(number) + static_cast<unsigned>(i))));
    std::string got = FormatFromFile(form.c_str(), args), want = Reference(form.c_str(), args);
    FUZZ_CHECK(got == want, "\"%s\" filled as \"%s\", expected \"%s\"", form.c_str(), got.c_str(), want.c_str());
    return 0;
}
