// What the user is told when a file cannot be written: the calendar's message box and the
// command-line companion's line.
#pragma once
#include <string>

#include "config/profile_store.h"

// The message box text (code page 932): the file, the reason, and that the change is not in it.
std::string WriteFailureMessage(const WriteFailure& failure);

// The reason alone (code page 932), as the message box gives it; for the command-line companion.
const char* WriteFailureReason(WriteError error);
