// The pieces of a countdown line as the countdown area draws them, left to right.
#pragma once
#include <string>

#include "memo/countdown.h"
#include "memo/countdown.h"

struct CountdownPieces {
    std::string lead;    // the word before the number (empty for none, and for today)
    std::string number;  // the day count without sign, drawn right aligned in its column; empty today
    std::string tail;    // the word after the number (or "today") joined with the text part
};

void CountdownLinePieces(const CountdownMemo& memo, const char form[kCountdownFormFields][kCountdownFormSlot],
                         CountdownPieces* out);
