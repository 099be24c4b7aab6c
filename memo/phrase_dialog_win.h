// The fixed phrase dialog (117 "定型句の設定"): the sixteen phrases in a list, edited one at a
// time and moved up and down.
#pragma once
#include <windows.h>

struct PhraseDialog {
    bool saved;  // out: OK wrote the sixteen slots
};

// Modal over owner; IDOK or IDCANCEL.
INT_PTR OpenPhraseDialog(HWND owner, PhraseDialog* dialog);
