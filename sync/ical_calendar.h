// The object level of iCalendar files: components nested from BEGIN to END, the VCALENDAR
// objects of a file, and date and date-time values.
#pragma once
#include <string>
#include <vector>

#include "sync/ical_text.h"

struct Component {
    std::string name;  // upper case
    std::vector<ContentLine> props;
    std::vector<Component> children;
    const ContentLine* Prop(const char* wanted) const;
};

// The VCALENDAR objects of a file, in order (several may follow one another); false when it
// holds none, or when its lines do not nest as components.
bool ParseCalendars(const std::string& text, std::vector<Component>* out);

// A date or date-time value as written: the day number, seconds into the day, and its kind.
struct When {
    int day = 0;
    int seconds = 0;
    bool date = false;  // VALUE=DATE: all day
    bool utc = false;   // ends in "Z"
    long long Clock() const { return static_cast<long long>(day) * 86400 + seconds; }
};

// "YYYYMMDD" (a date, and so when dateOnly) or "YYYYMMDDTHHMMSS[Z]".
bool ParseWhen(const std::string& value, bool dateOnly, When* out);
// Whether the property says VALUE=DATE.
bool IsDateValue(const ContentLine& p);
// The comma-separated values of a property such as EXDATE or RDATE.
std::vector<std::string> ValueList(const std::string& value);
// "+0900" (or "+090030") as seconds east of UTC.
bool ParseUtcOffset(const std::string& s, int* out);
