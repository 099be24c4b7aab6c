// The layered edition's drawing surface: GDI+ into the window's kept 32-bit image. Areas are
// drawn in a scratch image of the same size from (0, 0) and copied into place, so an area's
// background and text never reach its neighbours.
#pragma once
#include <windows.h>

#include <vector>

#include "base/win/handles.h"
#include "config/app_state.h"
#include "config/tags.h"
#include "render/layered/draw_target_win.h"
#include "render/surface.h"

class LayeredSurface : public DrawSurface {
  public:
    // Text in the places of design, tag words in the styles of tags, fonts and button pictures at
    // dpi. back: the window image; scratch: where areas are drawn; both as big as the window.
    LayeredSurface(const Design& design, const TagTable& tags, const PaintRect& clip, DrawTarget back,
                   DrawTarget scratch, int dpi);

    PaintRect Clip() const override { return clip_; }
    void BeginArea(const PaintRect& where) override;
    void EndArea() override;
    void FillArea(const PaintRect& r, int backPlace, int dayColour) override;
    TextExtent MeasureText(const char* text, int length, const TextStyle& style) override;
    int BoxLift(int) override { return 0; }
    int DrawTextRun(const char* text, int length, const PaintRect& box, TextAlign align,
                    const TextStyle& style) override;
    bool ButtonBitmapSize(int bitmapId, int* width, int* height) override;
    void DrawButton(int bitmapId, const PaintRect& r) override;
    void DrawSelectionFrame(const PaintRect& r, bool wide) override;
    void DrawCaret(int x, int y, int width, int height) override;

  private:
    DrawTarget& Target() { return inArea_ ? scratch_ : back_; }

    const Design& design_;
    const TagTable& tags_;
    PaintRect clip_;
    DrawTarget back_, scratch_;
    bool inArea_ = false;
    PaintRect area_ = {};
    int dpi_, buttonScale_;
};
