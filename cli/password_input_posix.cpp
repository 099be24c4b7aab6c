#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "cli/password_input.h"

bool ReadHiddenLine(std::string* out) {
    termios before{};
    bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &before) == 0;
    if (terminal) {
        termios quiet = before;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    bool read = ReadStdinLine(out);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        std::fputc('\n', stderr);
    }
    return read;
}
