#include "config/standard_design.h"

#include <cstring>

#include "config/design.h"

namespace {
struct Value {
    const char* section;
    const char* key;
    const char* value;
};

// As a design file would hold them. The sizes are those of the plain defaults, so that the
// window has the size a user of earlier versions knows; what is not here reads as the defaults.
// The opacities are read by the layered edition only.
constexpr Value kValues[] = {
    {"CONFIG", "CELL_WIDTH", "64"},
    {"CONFIG", "CELL_LINE", "4"},
    {"CONFIG", "MEMO_ROW", "4"},
    {"CONFIG", "LIST_WIDTH", "320"},  // the title and the seven buttons side by side
    {"CONFIG", "CELL_WIDTH_RATIO", "1,1,1,1,1,1,1"},
    {"CONFIG", "TITLE_FORM", "! %Y年%m月 (%g%h年)"},
    {"CONFIG", "HEAD_FORM", "日,月,火,水,木,金,土"},
    {"CONFIG", "LIST_HEAD_FORM", "日,月,火,水,木,金,土"},

    {"FONTS", "TITLE", "ＭＳ Ｐゴシック,11,1,0,0,0"},
    {"FONTS", "TITLE_COLOR", "ffffff,ffffff,ffffff"},
    {"FONTS", "HEAD", "ＭＳ Ｐゴシック,9,1,0,0,0"},
    {"FONTS", "HEAD_COLOR", "404040,c02020,2050b0"},
    {"FONTS", "LIST_HEAD", "ＭＳ Ｐゴシック,9,0,0,0,0"},
    {"FONTS", "LIST_HEAD_COLOR", "404040,c02020,2050b0"},
    {"FONTS", "DAY", "ＭＳ Ｐゴシック,9,1,0,0,0"},
    {"FONTS", "DAY_COLOR", "303030,c02020,2050b0"},
    {"FONTS", "TODAY", "ＭＳ Ｐゴシック,9,1,0,0,0"},
    {"FONTS", "TODAY_COLOR", "303030,c02020,2050b0"},
    {"FONTS", "OMDAY", "ＭＳ Ｐゴシック,9,0,0,0,0"},
    {"FONTS", "OMDAY_COLOR", "a0a4ac,d8a0a0,a0acd0"},
    {"FONTS", "DMEMO", "ＭＳ Ｐゴシック,9,0,0,0,0"},
    {"FONTS", "DMEMO_COLOR", "202020,202020,202020"},
    {"FONTS", "MEMO", "ＭＳ Ｐゴシック,9,0,0,0,0"},
    {"FONTS", "MEMO_COLOR", "202020,202020,202020"},
    {"FONTS", "HOLI", "ＭＳ Ｐゴシック,9,0,0,0,0"},
    {"FONTS", "HOLI_COLOR", "c02020,c02020,c02020"},
    {"FONTS", "CDOWN", "ＭＳ Ｐゴシック,9,0,0,0,0"},
    {"FONTS", "CDOWN_COLOR", "203060,203060,203060"},

    {"BACKS", "TITLE_COLOR", "305080,305080,305080"},
    {"BACKS", "TITLE_TOUMEI", "254"},
    {"BACKS", "HEAD_COLOR", "e8ecf4,f8e0e0,e0e8f8"},
    {"BACKS", "HEAD_TOUMEI", "254"},
    {"BACKS", "DAY_COLOR", "ffffff,fff4f4,f4f8ff"},
    {"BACKS", "DAY_TOUMEI", "254"},
    {"BACKS", "TODAY_COLOR", "fff2b0,fff2b0,fff2b0"},
    {"BACKS", "TODAY_TOUMEI", "254"},
    {"BACKS", "PRDAY_COLOR", "f2f2f2,f6ecec,eceff6"},
    {"BACKS", "PRDAY_TOUMEI", "254"},
    {"BACKS", "OMDAY_COLOR", "e4e6ea,ece2e2,e2e6ee"},
    {"BACKS", "OMDAY_TOUMEI", "254"},
    {"BACKS", "MEMO_COLOR", "fffbe8,fffbe8,fffbe8"},
    {"BACKS", "MEMO_TOUMEI", "254"},
    {"BACKS", "BORDER_COLOR", "a0a8b8,a0a8b8,a0a8b8"},
    {"BACKS", "BORDER_TOUMEI", "254"},
    {"BACKS", "BUTTON_COLOR", "e0e8ff,ffffff,ffffff"},
    {"BACKS", "BUTTON_TOUMEI", "254"},
    {"BACKS", "CDOWN_COLOR", "e4eefc,e4eefc,e4eefc"},
    {"BACKS", "CDOWN_TOUMEI", "254"},
};

const char* StandardValue(const char* section, const char* key) {
    for (const Value& v : kValues)
        if (std::strcmp(v.section, section) == 0 && std::strcmp(v.key, key) == 0) return v.value;
    return nullptr;
}
}  // namespace

void ReadStandardDesign(AppState* state) { ReadDesignValues(state, StandardValue); }
