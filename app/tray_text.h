// The tooltip text of the tray icon.
#pragma once
#include <ctime>
#include <string>

#include "config/app_state.h"

// "month/day(weekday label)", then CR LF and syncLine when there is one (when the last sync
// succeeded), then CR LF and today's memo (at most 223 bytes, tag words taken out) when there is
// one; one line (CR and LF as blanks) below shell version 5.
std::string TrayTooltipText(const std::tm& today, const Design& design, int shellVersion,
                            const std::string& syncLine = std::string());
