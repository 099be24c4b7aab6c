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
    out->clear();
    int c;
    bool any = false;
    while ((c = std::getchar()) != EOF && c != '\n') {
        any = true;
        out->push_back(static_cast<char>(c));
    }
    if (!out->empty() && out->back() == '\r') out->pop_back();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        std::fputc('\n', stderr);
    }
    return any || c == '\n';
}
