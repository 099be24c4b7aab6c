// Text runs of the layered edition drawn once and kept: each run is drawn with GDI+ into a
// premultiplied 32-bit image of its own and afterwards only blended into the image being painted.
// Most of a month's text (day numbers, the weekday head, the title, memo lines that did not
// change) is the same from paint to paint, and GDI+ drawing text was most of a paint.
#pragma once
#include <cstddef>

#include "config/app_state.h"
#include "config/tags.h"
#include "render/layered/draw_target_win.h"
#include "render/surface.h"

// One run as DrawStyledRun draws it (same pixels, same advance), taken from the kept runs when the
// same text was drawn in the same style, box height and dpi before. A target without pixels of
// its own is drawn on directly.
int DrawCachedRun(DrawTarget& target, const char* text, int length, const PaintRect& box, TextAlign align,
                  const FontPlace& style, int dayColour, int dpi);

// MeasureTextRun's extent, kept by font, dpi and text.
TextExtent MeasureCachedText(DrawTarget& target, const char* text, int length, const FontPlace& style, int dpi);

// Empties the kept runs when the design's font places, the tags or the dpi differ from those of
// the last call (each paint calls it first).
void FitRunCacheTo(const Design& design, const TagTable& tags, int dpi);
// Drops every kept run and the image runs are drawn in (a new design, shutdown).
void EmptyRunCache();

// At most this many bytes of kept runs, the least recently drawn leaving first; 0 keeps none
// (every run is drawn afresh, as the first paint draws it).
constexpr size_t kRunCacheBudget = 4u << 20;
void SetRunCacheBudget(size_t bytes);

struct RunCacheCounts {
    size_t runs, bytes;    // kept now
    size_t hits, misses;   // runs drawn since the cache was last emptied
};
RunCacheCounts RunCacheStatistics();
