#include "cli/password_input.h"

#include <cstdio>

bool ReadStdinLine(std::string* out) {
    out->clear();
    int c;
    bool any = false;
    while ((c = std::getchar()) != EOF && c != '\n') {
        any = true;
        out->push_back(static_cast<char>(c));
    }
    if (!out->empty() && out->back() == '\r') out->pop_back();
    return any || c == '\n';
}
