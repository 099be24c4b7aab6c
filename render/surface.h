// The drawing surface: everything the painters ask of an edition's pixels. The painters in this
// folder decide what goes where; each edition (render/layered with GDI+, render/classic with GDI)
// only implements this, and the tests record it.
#pragma once

struct PaintRect {
    int left, top, right, bottom;
};

enum TextAlign { kAlignLeft, kAlignCentre, kAlignRight };

// Text in a font place of the design, in one of the place's three day colours; a tag (1..16) or
// the alarm emphasis (0) puts its colour and bold, italic and strike-out over the place's.
constexpr int kOwnStyle = -1;
struct TextStyle {
    int fontPlace;
    int dayColour;
    int tag = kOwnStyle;
};

struct TextExtent {
    int width;            // of the text
    int overhang;         // an italic font's overhang past the last character
    int internalLeading;  // of the font
};

class DrawSurface {
  public:
    // The part of the window this paint draws, in window coordinates.
    virtual PaintRect Clip() const = 0;
    // Until EndArea, drawing goes to an area of the window at `where`, in the area's own
    // coordinates (0, 0 at its corner); nothing spills out of it, and EndArea puts it in place.
    // Outside an area the coordinates are the window's.
    virtual void BeginArea(const PaintRect& where) = 0;
    virtual void EndArea() = 0;

    // A background place's colour with the BORDER place's one-pixel outline.
    virtual void FillArea(const PaintRect& r, int backPlace, int dayColour) = 0;
    virtual TextExtent MeasureText(const char* text, int length, const TextStyle& style) = 0;
    // How far the title text and a day number are moved up in their boxes (the classic edition
    // lifts them by half the font's internal leading).
    virtual int BoxLift(int fontPlace) = 0;
    // One line in box, vertically centred, aligned within the box; answers the advance (the box
    // width for centred and right-aligned text), an italic overhang included.
    virtual int DrawTextRun(const char* text, int length, const PaintRect& box, TextAlign align,
                            const TextStyle& style) = 0;
    // An operation button's bitmap (a resource id) in the BUTTON place's colour; false when there
    // is none.
    virtual bool ButtonBitmapSize(int bitmapId, int* width, int* height) = 0;
    virtual void DrawButton(int bitmapId, const PaintRect& r) = 0;
    // The highlighted cell's frame; wide while a quick memo is open in it.
    virtual void DrawSelectionFrame(const PaintRect& r, bool wide) = 0;
    virtual void DrawCaret(int x, int y, int width, int height) = 0;

  protected:
    ~DrawSurface() = default;
};
