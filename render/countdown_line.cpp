#include "render/countdown_line.h"

#include <cstdio>

void CountdownLinePieces(const CountdownMemo& memo, const char form[kCountdownFormFields][kCountdownFormSlot],
                         CountdownPieces* out) {
    int d = memo.dayOffset;
    out->lead.clear();
    out->number.clear();
    if (d != 0) {
        out->lead = d > 0 ? form[3] : form[5];
        char n[16];
        std::snprintf(n, sizeof n, "%d", d > 0 ? d : -d);
        out->number = n;
    }
    out->tail = d == 0 ? form[2] : d > 0 ? form[4] : form[6];
    out->tail += memo.textPart;
}
