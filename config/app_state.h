// The one application state record: settings (section CONFIG), the current design and the
// layout results. Reset to zeros at start-up, then filled by ReadSettings, ReadDesign and the layout.
#pragma once
#include <cstdint>

#include "base/colour.h"


enum DayColour { kWeekdayColour = 0, kHolidayColour = 1, kSaturdayColour = 2 };

// Same layout as the platform's LOGFONTA (60 bytes), so the Windows code can hand it over as is.
struct LogFontA {
    int32_t lfHeight;  // size in points until a font is made
    int32_t lfWidth;
    int32_t lfEscapement;
    int32_t lfOrientation;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfStrikeOut;
    uint8_t lfCharSet;
    uint8_t lfOutPrecision;
    uint8_t lfClipPrecision;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char lfFaceName[32];
};
static_assert(sizeof(LogFontA) == 60, "LogFontA must keep the platform's 60-byte font record layout");

enum FontPlaceIndex {
    kFontTitle, kFontHead, kFontListHead, kFontDay, kFontToday, kFontOmday, kFontDmemo, kFontMemo,
    kFontHoli, kFontCdown, kFontPlaceCount
};
enum BackPlaceIndex {
    kBackTitle, kBackHead, kBackDay, kBackToday, kBackPrday, kBackOmday, kBackMemo, kBackBorder,
    kBackButton, kBackCdown, kBackPlaceCount
};

struct FontPlace {
    LogFontA logFont;
    Colour colours[3];  // by DayColour
    char label[32];
    char key[32];
    int32_t smooth;
    // Layered edition only; the classic edition leaves them 0.
    int32_t opacity;  // always 254 after reading
    int32_t shadow;
    int32_t hemming;
};

struct BackPlace {
    Colour colours[3];
    char label[32];
    char key[32];
    int32_t opacity;  // layered edition: 0 transparent .. 254 opaque; classic: 0
};

constexpr int kLabelSlots = 10;

struct Design {
    int32_t cellWidth;
    int32_t ratios[7];
    int32_t ratioSum;
    int32_t cellLine;
    int32_t memoRow;
    int32_t listWidth;
    FontPlace fonts[kFontPlaceCount];
    BackPlace backs[kBackPlaceCount];
    char titleForm[64];
    // Label texts split in place at their commas; the slots hold offsets into the text (not
    // pointers), so a copied record stays valid. An empty slot points at the text's last byte.
    char headForm[64];
    uint8_t headLabelAt[kLabelSlots];
    char listHeadForm[64];
    uint8_t listHeadLabelAt[kLabelSlots];
    Colour custColors[16];
};

inline const char* HeadLabel(const Design& d, int i) { return d.headForm + d.headLabelAt[i]; }
inline const char* ListHeadLabel(const Design& d, int i) { return d.listHeadForm + d.listHeadLabelAt[i]; }

// The coded settings of section CONFIG; the numbers are the values the file holds.
enum class CalendarType : int32_t { kTable = 0, kList = 1 };                   // CALENDAR_TYPE
enum class AlarmType : int32_t { kMessageBox = 0, kBalloon = 1 };             // ALARM_TYPE
enum class AlarmShow : int32_t { kWholeMemo = 0, kTimedLines = 1 };           // ALARM_SHOW
enum class HotkeyToggle : int32_t { kNothing = 0, kMinimise = 1, kToBottom = 2 };  // HOTKEY_TOGGLE

// BTN_SIZE holds two bits: the large button pictures, and the buttons hidden (their size is kept
// for when they are shown again). Read, it is 0 .. 3.
constexpr int32_t kButtonsLarge = 1, kButtonsHidden = 2;
struct ButtonLook {
    bool large;
    bool shown;
};
constexpr ButtonLook ButtonLookOf(int32_t btnSize) {
    return {(btnSize & kButtonsLarge) != 0, btnSize >= 0 && (btnSize & kButtonsHidden) == 0};
}

struct Settings {
    CalendarType calendarType;
    int32_t listTodayTop;
    int32_t beginWeek;
    int32_t showMonth;
    int32_t btnSize;
    int32_t useTasktray;
    int32_t alarm;
    int32_t alarmStartup;
    AlarmType alarmType;
    int32_t alarmTime;
    AlarmShow alarmShow;
    int32_t alarmCdown;
    int32_t alarmCdownDay;
    int32_t alarmCdownPast;
    int32_t alarmPaintTime;
    int32_t alarmMemoSort;
    char alarmStartupTime[100];
    int32_t cellRowExtend;
    int32_t keepWinHeight;
    char currentDesign[100];
    int32_t hotkey;
    HotkeyToggle hotkeyToggle;
    int32_t keyassignEnable;
    int32_t quickmemoEnable;
    int32_t dayscrollUnit;
    int32_t dayscrollKeep;
    int32_t dlgplacementKeep;
    int32_t caldavInterval;  // minutes between the calendar's own syncs; 0 none
};

inline bool ShowsList(const Settings& s) { return s.calendarType == CalendarType::kList; }

struct LayoutMetrics {
    int32_t rowCount;
    int32_t listRowHeight;
    int32_t listHeadWidth;
    int32_t titleHeight;
    int32_t cdownHeight;
    int32_t headHeight;
    int32_t dayLineHeight;
    int32_t memoLineHeight;
    int32_t memoBoxLineHeight;
    int32_t winWidth;
    int32_t winHeight;
    int32_t dpi;  // the metrics are pixels at this resolution (0: 96)
};

struct AppState {
    Settings settings;
    Design design;
    LayoutMetrics layout;
};

extern AppState g_app;

void ResetAppState(AppState* state);
