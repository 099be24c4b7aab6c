#include <windows.h>

#include <cstdio>

#include "cli/password_input.h"

bool ReadHiddenLine(std::string* out) {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    bool console = GetConsoleMode(in, &mode) != 0;
    if (console) SetConsoleMode(in, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    bool read = ReadStdinLine(out);
    if (console) {
        SetConsoleMode(in, mode);
        std::fputc('\n', stderr);
    }
    return read;
}
