// A drawing surface that writes down what the painters ask of it, with fixed metrics: every byte
// of text is 6 pixels wide, small buttons 10 and large ones 16 pixels square.
#pragma once
#include <string>
#include <vector>

#include "render/surface.h"

struct RecordedCall {
    std::string what;   // "area", "fill", "text", "button", "frame", "wide frame", "caret"
    PaintRect at;       // in window coordinates
    std::string text;   // of a text run
    TextAlign align;
    TextStyle style;
    int id;             // a button's bitmap, a fill's back place
};

class RecordingSurface : public DrawSurface {
  public:
    explicit RecordingSurface(PaintRect clip) : clip_(clip) {}
    PaintRect Clip() const override { return clip_; }
    void BeginArea(const PaintRect& where) override {
        origin_ = where;
        calls.push_back({"area", where, "", kAlignLeft, {}, 0});
    }
    void EndArea() override { origin_ = {}; }
    void FillArea(const PaintRect& r, int backPlace, int) override { Add("fill", r, "", kAlignLeft, {}, backPlace); }
    TextExtent MeasureText(const char*, int length, const TextStyle&) override { return {6 * length, 0, 2}; }
    int BoxLift(int) override { return lift; }
    int lift = 0;
    int DrawTextRun(const char* text, int length, const PaintRect& box, TextAlign align,
                    const TextStyle& style) override {
        Add("text", box, std::string(text, static_cast<size_t>(length)), align, style, 0);
        return align == kAlignLeft ? 6 * length : box.right - box.left;
    }
    bool ButtonBitmapSize(int bitmapId, int* width, int* height) override {
        *width = *height = bitmapId >= 110 && bitmapId < 120 ? 16 : bitmapId == 137 ? 16 : 10;
        return true;
    }
    void DrawButton(int bitmapId, const PaintRect& r) override { Add("button", r, "", kAlignLeft, {}, bitmapId); }
    void DrawSelectionFrame(const PaintRect& r, bool wide) override {
        Add(wide ? "wide frame" : "frame", r, "", kAlignLeft, {}, 0);
    }
    void DrawCaret(int x, int y, int width, int height) override {
        Add("caret", PaintRect{x, y, x + width, y + height}, "", kAlignLeft, {}, 0);
    }

    // The calls of one kind, or the text runs of one text.
    std::vector<RecordedCall> Of(const std::string& what) const {
        std::vector<RecordedCall> found;
        for (const RecordedCall& c : calls)
            if (c.what == what) found.push_back(c);
        return found;
    }
    std::vector<RecordedCall> Text(const std::string& text) const {
        std::vector<RecordedCall> found;
        for (const RecordedCall& c : calls)
            if (c.what == "text" && c.text == text) found.push_back(c);
        return found;
    }

    std::vector<RecordedCall> calls;

  private:
    void Add(const char* what, PaintRect r, std::string text, TextAlign align, TextStyle style, int id) {
        r = {r.left + origin_.left, r.top + origin_.top, r.right + origin_.left, r.bottom + origin_.top};
        calls.push_back({what, r, std::move(text), align, style, id});
    }
    PaintRect clip_;
    PaintRect origin_ = {};
};
