// Configuration files: ReadSettings and ReadDesign (colours, fonts, ratios, title, weekday and
// countdown forms, ALARM_STARTUP_TIME, tags, KEYASSIGN / MOUSEASSIGN) on any bytes, in either
// edition, then what start-up does with them: the countdown form, the kept window height and
// first day, a layout of the month. Every value must lie in its range and every text end within
// its field. What the program writes back (settings, design, tags, bindings) reads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "calendar/holiday_rules.h"
#include "config/app_state.h"
#include "config/design.h"
#include "config/edition.h"
#include "config/operations.h"
#include "config/settings.h"
#include "config/tags.h"
#include "fuzz_common.h"
#include "memo/countdown.h"
#include "render/title_text.h"
#include "render/weekday_head.h"
#include "view/view_layout.h"

namespace {
template <size_t N>
bool Ends(const char (&field)[N]) {
    return strnlen(field, N) < N;
}

// Text widths as a fixed font would give them.
class FixedMeasure : public LayoutMeasure {
  public:
    int TextWidth(const Design&, int, const char* text) override { return static_cast<int>(std::strlen(text)) * 7; }
    int TitleWidth(const Design& design, int) override {
        return static_cast<int>(strnlen(design.titleForm, sizeof design.titleForm)) * 7;
    }
};

void CheckRead(const AppState& st) {
    const Settings& s = st.settings;
    auto within = [](auto value, int lo, int hi) {
        return static_cast<int>(value) >= lo && static_cast<int>(value) <= hi;
    };
    FUZZ_CHECK(within(s.calendarType, 0, 1) && within(s.btnSize, 0, 3) && within(s.beginWeek, 0, 6) &&
                   within(s.showMonth, 0, 3) && s.alarmTime >= 0 && within(s.alarmType, 0, 1) &&
                   within(s.alarmShow, 0, 1) && within(s.alarmCdownDay, 0, 9999) && within(s.hotkeyToggle, 0, 2) &&
                   s.dayscrollUnit >= 1,
               "a ranged setting out of its range");
    FUZZ_CHECK(Ends(s.alarmStartupTime) && Ends(s.currentDesign), "a settings text without its end");
    const Design& d = st.design;
    int sum = 0;
    for (int r : d.ratios) {
        FUZZ_CHECK(r >= 1 && r <= 5, "ratio %d", r);
        sum += r;
    }
    FUZZ_CHECK(sum == d.ratioSum, "ratio sum %d of %d", d.ratioSum, sum);
    for (const FontPlace& f : d.fonts)
        FUZZ_CHECK(Ends(f.logFont.lfFaceName) && Ends(f.label) && Ends(f.key), "a font text without its end");
    for (const BackPlace& b : d.backs) FUZZ_CHECK(Ends(b.label) && Ends(b.key), "a back text without its end");
    FUZZ_CHECK(Ends(d.titleForm) && Ends(d.headForm) && Ends(d.listHeadForm), "a form without its end");
    for (int i = 0; i < kLabelSlots; ++i)
        FUZZ_CHECK(d.headLabelAt[i] < 64 && d.listHeadLabelAt[i] < 64, "label slot %d out of its text", i);
    for (const TagStyle& t : g_tags) FUZZ_CHECK(Ends(t.word), "a tag word without its end");
}

// The state as start-up reads it from the configuration file.
void ReadAll(AppState* st) {
    ResetAppState(st);
    ResetOperations();
    ReadSettings(st);
    ReadDesign(st);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    SetEdition(in.ConsumeBool() ? kClassicEdition : kLayeredEdition);
    bool readOnly = in.ConsumeBool();  // the write back costs most: every other input skips it
    int screen = in.ConsumeIntegralInRange(480, 2160);
    FreshDataFiles();
    PutFile(g_files.configPath, in.ConsumeRemainingBytesAsString());

    static AppState st, again;
    ReadAll(&st);
    CheckRead(st);
    SetDrawMemoSize(ReadConfigInt("DRAWMEMOSIZE", 256));

    // Start-up: the countdown form, the holiday rules (none here), today, the kept height and
    // first day, then the layout and what the painters make of the forms.
    ResetCountdowns();
    char form[256];
    ReadProfileText("CONFIG", "CDOWN_FORM", "", form, sizeof form);
    ApplyCountdownForm(form, g_countdowns.form);
    for (const auto& slot : g_countdowns.form) FUZZ_CHECK(Ends(slot), "a countdown form slot without its end");
    LoadHolidayRules(g_files.holidayPath);
    std::tm now{};
    now.tm_year = 2026 - 1900;
    now.tm_mon = 1;
    now.tm_mday = 10;
    now.tm_hour = 12;
    AddCountdown(2026, 3, 1, "x");
    AddCountdown(1970, 1, 1, "\x83\x65\x83\x58\x83\x67");
    NavigationState nav = {};
    char key[32];
    std::snprintf(key, sizeof key, "WIN_HEIGHT_%d", screen);
    st.layout.winHeight = ReadConfigInt(key, 0);
    int topDate = ReadConfigInt("TOP_DATE", 0);
    if (st.settings.dayscrollKeep && topDate > 0) AnchorFirstDay(&nav, topDate, st.settings, now);
    FixedMeasure measure;
    LayoutInputs inputs{now, 96, ButtonBitmapHeight(st.settings.btnSize), 96, &measure, &g_holidayRules, &g_countdowns};
    LayoutResult laid = BuildLayout(st, nav, inputs);
    st.layout = laid.metrics;
    const ViewModel& view = laid.view;
    FUZZ_CHECK(!view.cells.empty() && view.cells.size() <= 4095, "%zu cells", view.cells.size());
    FUZZ_CHECK(view.days.size() == view.cells.size(), "%zu days of %zu cells", view.days.size(), view.cells.size());
    FUZZ_CHECK(view.countdowns.size() == g_countdowns.memos.size(), "%zu countdown lines", view.countdowns.size());
    HeadColumn columns[7];
    HeadColumns(st.layout.winWidth, st.design.ratios, st.design.ratioSum, columns);
    char title[256];
    FormatTitle(st.design.titleForm, view.displayedMonth, title, sizeof title);
    for (const Operation* op = g_operations; op->name; ++op) {
        char name[64];
        MouseBindingName(op->mouse, name, sizeof name);
        FUZZ_CHECK(Ends(name), "a binding name without its end");
        FUZZ_CHECK(KeyBindingName(op->key, "Key").size() <= 49, "a key binding name past 49 bytes");
    }
    ReleaseViewModel();
    ReleaseCountdowns();
    ReleaseHolidayRules();

    // Written to a file of their own, read back the same.
    if (readOnly) return 0;
    OperationBindings bindings = CurrentBindings();
    TagStyle tags[kTagCount];
    std::memcpy(tags, g_tags, sizeof tags);
    std::string written = FuzzFile("written.ini");
    SetConfigPath(written.c_str());
    ProfileWriteBatch batch;  // one replacement of the file, as the settings dialog saves
    FUZZ_CHECK(WriteSettings(st) && WriteDesign(st) && WriteTags(), "a write failed");
    FUZZ_CHECK(batch.End().ok(), "the write failed");
    ReadAll(&again);
    FUZZ_CHECK(std::memcmp(&st.settings, &again.settings, sizeof st.settings) == 0, "settings read back otherwise");
    if (!DesignEquals(st, again)) {
        auto show = [](const char* what, const Design& x) {
            std::fprintf(stderr, "%s title \"%s\" head", what, x.titleForm);
            for (int i = 0; i < kLabelSlots; ++i) std::fprintf(stderr, " \"%s\"", HeadLabel(x, i));
            std::fprintf(stderr, " list");
            for (int i = 0; i < kLabelSlots; ++i) std::fprintf(stderr, " \"%s\"", ListHeadLabel(x, i));
            for (const FontPlace& f : x.fonts) std::fprintf(stderr, " font \"%s\" %d", f.logFont.lfFaceName, f.logFont.lfHeight);
            std::fputc('\n', stderr);
        };
        show("read   ", st.design);
        show("written", again.design);
    }
    FUZZ_CHECK(DesignEquals(st, again), "the design read back otherwise");
    const Design &d = st.design, &e = again.design;
    FUZZ_CHECK(d.cellWidth == e.cellWidth && d.cellLine == e.cellLine && d.memoRow == e.memoRow &&
                   d.listWidth == e.listWidth && std::memcmp(d.ratios, e.ratios, sizeof d.ratios) == 0,
               "sizes read back otherwise");
    OperationBindings back = CurrentBindings();
    FUZZ_CHECK(std::memcmp(&bindings, &back, sizeof back) == 0, "bindings read back otherwise");
    FUZZ_CHECK(std::memcmp(tags, g_tags, sizeof tags) == 0, "tags read back otherwise");
    return 0;
}
