#include "cli/text_convert.h"

#include <cstdlib>

void FreeArguments(char** args) {
    if (!args) return;
    for (char** p = args; *p; ++p) std::free(*p);
    std::free(args);
}
