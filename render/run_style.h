// The font place a run of text is drawn with: the place itself, or with a tag's colour and
// bold, italic and strike-out over it. Both editions' surfaces draw what this says.
#pragma once
#include "config/app_state.h"
#include "config/tags.h"
#include "render/surface.h"

FontPlace RunStyle(const Design& design, const TagTable& tags, const TextStyle& style);
