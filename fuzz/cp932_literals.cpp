// cp932_literals IN OUT: copies a UTF-8 C++ source with the non-ASCII bytes of its plain string
// and character literals turned into code page 932 octal escapes, so that clang (which knows no
// other execution character set than UTF-8) compiles the same bytes as g++ -fexec-charset=CP932.
// Comments, prefixed literals (L, u, U, u8) and everything else are copied as they are. A raw
// literal holding non-ASCII text cannot be escaped: the tool refuses it.
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {
int Fail(const std::string& what) {
    std::fprintf(stderr, "cp932_literals: %s\n", what.c_str());
    return 1;
}

bool IsIdent(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool ToCp932(const std::string& utf8, std::string* out) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buf(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = buf.data();
    size_t outLeft = buf.size();
    size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || inLeft) return false;
    out->assign(buf.data(), buf.size() - outLeft);
    return true;
}

// The body of a literal (between its quotes), its non-ASCII runs as octal escapes.
bool Escape(const std::string& body, std::string* out) {
    size_t i = 0;
    while (i < body.size()) {
        if (static_cast<unsigned char>(body[i]) < 0x80) {
            out->push_back(body[i++]);
            continue;
        }
        size_t j = i;
        while (j < body.size() && static_cast<unsigned char>(body[j]) >= 0x80) ++j;
        std::string cp;
        if (!ToCp932(body.substr(i, j - i), &cp)) return false;
        for (unsigned char c : cp) {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\%03o", c);
            out->append(esc);
        }
        i = j;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: cp932_literals IN OUT");
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) return Fail(std::string("cannot read ") + argv[1]);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string src = ss.str();
    std::string out;
    out.reserve(src.size() + src.size() / 4);
    size_t i = 0, n = src.size();
    auto where = [&](size_t at) { return std::string(argv[1]) + " at byte " + std::to_string(at); };
    while (i < n) {
        char c = src[i];
        if (c == '/' && i + 1 < n && src[i + 1] == '/') {
            size_t e = src.find('\n', i);
            e = e == std::string::npos ? n : e;
            out.append(src, i, e - i);
            i = e;
        } else if (c == '/' && i + 1 < n && src[i + 1] == '*') {
            size_t e = src.find("*/", i + 2);
            e = e == std::string::npos ? n : e + 2;
            out.append(src, i, e - i);
            i = e;
        } else if ((c >= '0' && c <= '9') || (c == '.' && i + 1 < n && src[i + 1] >= '0' && src[i + 1] <= '9')) {
            // A number, whose digit separators are no character literals.
            size_t e = i + 1;
            while (e < n && (IsIdent(src[e]) || src[e] == '.' || (src[e] == '\'' && e + 1 < n && IsIdent(src[e + 1])) ||
                             ((src[e] == '+' || src[e] == '-') && std::strchr("eEpP", src[e - 1]))))
                ++e;
            out.append(src, i, e - i);
            i = e;
        } else if (IsIdent(c)) {
            size_t e = i;
            while (e < n && IsIdent(src[e])) ++e;
            std::string word = src.substr(i, e - i);
            bool quoted = e < n && (src[e] == '"' || src[e] == '\'');
            if (quoted && word.find('R') != std::string::npos && src[e] == '"' &&
                (word == "R" || word == "LR" || word == "uR" || word == "UR" || word == "u8R")) {
                // A raw literal: copied as it is, which is right only for ASCII text.
                size_t open = src.find('(', e);
                if (open == std::string::npos) return Fail("unterminated raw literal " + where(i));
                std::string close = ")" + src.substr(e + 1, open - e - 1) + "\"";
                size_t end = src.find(close, open);
                if (end == std::string::npos) return Fail("unterminated raw literal " + where(i));
                end += close.size();
                for (size_t k = i; k < end; ++k)
                    if (static_cast<unsigned char>(src[k]) >= 0x80 && word == "R")
                        return Fail("non-ASCII raw literal " + where(i));
                out.append(src, i, end - i);
                i = end;
            } else if (quoted && (word == "L" || word == "u" || word == "U" || word == "u8")) {
                // Wide and Unicode literals keep their own encoding: copied up to the closing quote.
                char q = src[e];
                size_t k = e + 1;
                while (k < n && src[k] != q) k += src[k] == '\\' ? 2 : 1;
                out.append(src, i, k + 1 - i);
                i = k + 1;
            } else {
                out.append(word);
                i = e;
            }
        } else if (c == '"' || c == '\'') {
            size_t k = i + 1;
            while (k < n && src[k] != c && src[k] != '\n') k += src[k] == '\\' ? 2 : 1;
            if (k >= n || src[k] != c) return Fail("unterminated literal " + where(i));
            std::string body;
            if (!Escape(src.substr(i + 1, k - i - 1), &body)) return Fail("no code page 932 form " + where(i));
            out.push_back(c);
            out.append(body);
            out.push_back(c);
            i = k + 1;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    std::ofstream o(argv[2], std::ios::binary);
    o << out;
    if (!o) return Fail(std::string("cannot write ") + argv[2]);
    return 0;
}
