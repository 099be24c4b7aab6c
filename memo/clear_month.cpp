#include "memo/clear_month.h"

#include <cstdio>

#include "memo/memo_store.h"
#include "memo/undo_journal.h"

std::string ClearMonthQuestion(int year, int month) {
    char question[96];
    std::snprintf(question, sizeof question, "%d年%d月のメモをすべて消去します。", year, month);
    return question;
}

bool ClearMonthMemos(int year, int month) {
    g_undo.groupCounter += 1;
    g_undo.groupStep = 0;
    // Days the month does not have are written too: removing a missing key changes nothing.
    bool ok = true;
    for (int day = 1; day <= 31 && ok; ++day) ok = WriteMemo(year, month, day, "", false).ok();
    g_undo.groupStep = 1;
    return ok;
}
