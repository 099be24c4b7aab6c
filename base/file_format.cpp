#include "base/file_format.h"

#include <charconv>
#include <cstring>

#include "base/sjis.h"

namespace {
struct Directive {
    bool left = false, plus = false, space = false, zero = false;
    int width = 0;
    int precision = -1;
    char conversion = 0;
    size_t length = 0;  // bytes of the pattern from "%" to the conversion letter
};

// Reads one conversion at p ("%" included). False when it is not one this formatter fills.
bool ReadDirective(const char* p, Directive* directive) {
    const char* q = p + 1;
    for (;; ++q) {
        if (*q == '-') directive->left = true;
        else if (*q == '+') directive->plus = true;
        else if (*q == ' ') directive->space = true;
        else if (*q == '0') directive->zero = true;
        else break;
    }
    for (int digits = 0; *q >= '0' && *q <= '9'; ++q)
        if (++digits > 2) return false;
        else directive->width = directive->width * 10 + (*q - '0');
    if (*q == '.') {
        directive->precision = 0;
        ++q;
        for (int digits = 0; *q >= '0' && *q <= '9'; ++q)
            if (++digits > 2) return false;
            else directive->precision = directive->precision * 10 + (*q - '0');
    }
    if (*q != 'd' && *q != 'i' && *q != 's') return false;
    directive->conversion = *q == 'i' ? 'd' : *q;
    directive->length = static_cast<size_t>(q - p) + 1;
    return true;
}

void Pad(std::string* out, const std::string& body, const Directive& directive, bool zeroAfterSign) {
    size_t width = static_cast<size_t>(directive.width);
    if (body.size() >= width) {
        out->append(body);
        return;
    }
    size_t fill = width - body.size();
    if (directive.left) {
        out->append(body).append(fill, ' ');
    } else if (zeroAfterSign) {
        size_t sign = !body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ') ? 1 : 0;
        out->append(body, 0, sign).append(fill, '0').append(body, sign, std::string::npos);
    } else {
        out->append(fill, ' ').append(body);
    }
}

void PutNumber(std::string* out, long long n, const Directive& directive) {
    unsigned long long magnitude = n < 0 ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    char buf[24];
    std::string digits(buf, std::to_chars(buf, buf + sizeof buf, magnitude).ptr);
    if (directive.precision >= 0) {
        if (directive.precision == 0 && n == 0) digits.clear();
        if (digits.size() < static_cast<size_t>(directive.precision)) digits.insert(0, directive.precision - digits.size(), '0');
    }
    std::string body = n < 0 ? "-" : directive.plus ? "+" : directive.space ? " " : "";
    body += digits;
    Pad(out, body, directive, directive.zero && !directive.left && directive.precision < 0);
}

void PutText(std::string* out, const char* text, const Directive& directive) {
    size_t n = std::strlen(text);
    if (directive.precision >= 0) n = SjisFitLength(text, static_cast<size_t>(directive.precision));
    Pad(out, std::string(text, n), directive, false);
}
}  // namespace

std::string FormatFromFile(const char* pattern, const std::vector<FormatArg>& args) {
    std::string out;
    size_t next = 0;
    const char* p = pattern ? pattern : "";
    while (*p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (IsSjisLead(c) && p[1]) {
            out.append(p, 2);
            p += 2;
            continue;
        }
        if (c != '%') {
            out += *p++;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            p += 2;
            continue;
        }
        Directive directive;
        if (!ReadDirective(p, &directive) || next >= args.size() || args[next].kind != directive.conversion) {
            out += *p++;  // shown as written
            continue;
        }
        const FormatArg& arg = args[next++];
        if (arg.kind == 'd') PutNumber(&out, arg.number, directive);
        else PutText(&out, arg.text, directive);
        p += directive.length;
    }
    return out;
}
