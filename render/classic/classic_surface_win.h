// The classic edition's drawing surface: plain GDI onto the window's device context. Areas are
// drawn in a kept bitmap of their own and copied, so nothing flickers; text is smoothed by the
// surface itself against the background it was filled with.
#pragma once
#include <windows.h>

#include "config/app_state.h"
#include "config/tags.h"
#include "render/surface.h"

class ClassicSurface : public DrawSurface {
  public:
    // Text in the places of design, tag words in the styles of tags. buttonScale: the whole
    // multiple the button pictures are drawn at.
    ClassicSurface(const Design& design, const TagTable& tags, HDC window, const PaintRect& clip, int buttonScale = 1);
    ClassicSurface(const ClassicSurface&) = delete;
    ClassicSurface& operator=(const ClassicSurface&) = delete;

    PaintRect Clip() const override { return clip_; }
    void BeginArea(const PaintRect& where) override;
    void EndArea() override;
    void FillArea(const PaintRect& r, int backPlace, int dayColour) override;
    TextExtent MeasureText(const char* text, int length, const TextStyle& style) override;
    int BoxLift(int fontPlace) override;
    int DrawTextRun(const char* text, int length, const PaintRect& box, TextAlign align,
                    const TextStyle& style) override;
    bool ButtonBitmapSize(int bitmapId, int* width, int* height) override;
    void DrawButton(int bitmapId, const PaintRect& r) override;
    void DrawSelectionFrame(const PaintRect& r, bool wide) override;
    void DrawCaret(int x, int y, int width, int height) override;

  private:
    const Design& design_;
    const TagTable& tags_;
    HDC window_;
    HDC target_;  // the window, or the area bitmap's device context
    PaintRect clip_;
    PaintRect area_ = {};
    int buttonScale_;
    Colour background_ = 0xFFFFFF;  // of the last fill: what smoothed text blends into
};

// The classic painter's kept fonts, brushes, area bitmap and glyphs.
void ReleaseClassicCache();
// Between paints: starts afresh when many glyphs or styles have gathered.
void TrimClassicCache();
