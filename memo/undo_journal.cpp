#include "memo/undo_journal.h"

#include <cstdlib>
#include <cstring>

UndoJournal g_undo = {nullptr, nullptr, 0, 1, 9};

namespace {
char* Copy(const char* s) {
    if (!s) s = "";
    size_t n = std::strlen(s) + 1;
    char* c = static_cast<char*>(std::malloc(n));
    std::memcpy(c, s, n);
    return c;
}

void FreeChain(UndoRecord* r, const UndoRecord* stop) {
    while (r && r != stop) {
        UndoRecord* next = r->next;
        std::free(r->oldText);
        std::free(r->newText);
        std::free(r);
        r = next;
    }
}
}  // namespace

void RecordUndo(int year, int month, int day, int kind, const char* oldText, const char* newText) {
    if (g_undo.groupStep < 0) return;
    g_undo.groupCounter += g_undo.groupStep;
    // Records undone and not redone are gone once something new happens.
    FreeChain(g_undo.head, g_undo.current);
    UndoRecord* r = static_cast<UndoRecord*>(std::malloc(sizeof(UndoRecord)));
    *r = UndoRecord{g_undo.groupCounter, year, month, day, kind, Copy(oldText), Copy(newText),
                    g_undo.current};
    g_undo.head = g_undo.current = r;
    int limit = g_undo.limit;
    if (limit <= 0) {
        FreeChain(r, nullptr);
        g_undo.head = g_undo.current = nullptr;
        return;
    }
    int groups = 1;
    for (UndoRecord* p = r; p->next; p = p->next) {
        if (p->next->group != p->group && ++groups > limit) {
            FreeChain(p->next, nullptr);
            p->next = nullptr;
            break;
        }
    }
}

void ClearUndoJournal() {
    FreeChain(g_undo.head, nullptr);
    g_undo = UndoJournal{nullptr, nullptr, 0, 1, g_undo.limit};
}

void ResetUndoJournal() {
    ClearUndoJournal();
    g_undo.limit = 9;
}

int UndoRecordCount() {
    int n = 0;
    for (UndoRecord* p = g_undo.head; p; p = p->next) ++n;
    return n;
}
