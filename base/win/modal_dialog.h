// The skeleton every dialog of the program shares: its record, handed over at WM_INITDIALOG and
// kept in DWLP_USER, reaches each message's handler; and a flag for while the dialog fills its
// own controls, whose notifications are then not the user's doing.
#pragma once
#include <windows.h>

// The record of dialog, once WM_INITDIALOG has kept it (null before).
template <typename State>
State* DialogStateOf(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// A dialog procedure that hands every message from WM_INITDIALOG on to
// Handle(dialog, state, message, wParam, lParam). The record is WM_INITDIALOG's lParam; what
// comes before it (WM_SETFONT) is left to the system. For modal dialogs and for the pages a
// dialog creates itself alike.
template <typename State, INT_PTR (*Handle)(HWND, State*, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK DialogProcOf(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    State* s = DialogStateOf<State>(dialog);
    return s ? Handle(dialog, s, message, wParam, lParam) : FALSE;
}

// Runs dialog template id modal over owner with state as its record; returns what EndDialog
// was given (-1 when the dialog could not be made).
template <auto Handle, typename State>
INT_PTR RunModalDialog(HWND owner, int id, State* state) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner, DialogProcOf<State, Handle>,
                           reinterpret_cast<LPARAM>(state));
}

// Set while a dialog puts values into its own controls. A FillingScope sets it for its lifetime;
// scopes nest, so a helper that fills inside a larger fill does not end it early.
class Filling {
  public:
    explicit operator bool() const { return depth_ > 0; }

  private:
    friend class FillingScope;
    int depth_ = 0;
};

class FillingScope {
  public:
    explicit FillingScope(Filling& filling) : filling_(filling) { ++filling_.depth_; }
    ~FillingScope() { --filling_.depth_; }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;

  private:
    Filling& filling_;
};
