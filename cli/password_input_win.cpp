#include <windows.h>

#include <cstdio>

#include "cli/password_input.h"

bool ReadHiddenLine(std::string* out) {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    bool console = GetConsoleMode(in, &mode) != 0;
    if (console) SetConsoleMode(in, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    out->clear();
    int c;
    bool any = false;
    while ((c = std::getchar()) != EOF && c != '\n') {
        any = true;
        out->push_back(static_cast<char>(c));
    }
    if (!out->empty() && out->back() == '\r') out->pop_back();
    if (console) {
        SetConsoleMode(in, mode);
        std::fputc('\n', stderr);
    }
    return any || c == '\n';
}
