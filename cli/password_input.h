// One line typed on standard input, not shown on a terminal: the password of sync setup.
#pragma once
#include <string>

// False when standard input ends before anything is read.
bool ReadHiddenLine(std::string* out);

// The line itself, echo aside: up to the line feed (a CR before it dropped); false when standard
// input ends before anything is read.
bool ReadStdinLine(std::string* out);
