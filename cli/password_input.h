// One line typed on standard input, not shown on a terminal: the password of sync setup.
#pragma once
#include <string>

// False when standard input ends before anything is read.
bool ReadHiddenLine(std::string* out);
