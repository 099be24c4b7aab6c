// Small helpers every dialog uses: control texts as std::string, centring, drop-down lists and
// controls that follow the edges of a resizable dialog.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/anchor.h"
#include "base/win/wide_text.h"

// Puts text into edit id with the caret behind its last character, so that typing adds to it
// instead of replacing it.
void SetEditTextCaretAtEnd(HWND dialog, int id, const char* text);
// The client size of the desktop window: what placements per screen size are keyed by.
SIZE DesktopSize();
void CentreOnScreen(HWND window);

// Gives a report list view full-row selection and its columns, titles[i] widths[i] pixels wide.
void SetUpReportColumns(HWND list, const char* const* titles, const int* widths, int count);

// Replaces the entries of drop-down list id and selects one (-1: none).
void FillList(HWND dialog, int id, const std::vector<std::string>& entries, int selection);
int ListSelection(HWND dialog, int id);

// The controls of a resizable dialog, measured once in the layout of its template and moved with
// the edges whenever it is resized.
class AnchoredLayout {
  public:
    void Measure(HWND dialog, const Anchor* anchors, int count);
    void Apply(HWND dialog) const;
    // The window size at measuring: a dialog is not made smaller than its template.
    SIZE MinimumSize() const { return minimum_; }

  private:
    struct Placed {
        Anchor anchor;
        Box at;
    };
    std::vector<Placed> placed_;
    int width0_ = 0, height0_ = 0;
    SIZE minimum_ = {0, 0};
};
