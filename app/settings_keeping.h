// What the calendar does with the settings dialog's 適用 and OK: the edited copies become the
// settings in force and go to the configuration file.
#pragma once
#include "settings/settings_to_keep.h"

// keep's settings, design and bindings become g_app's and the operation table's, and are written
// into the configuration file in one replacement of it. When the design differs from the design
// file (or the standard design) of its name in designFolder, the name gets the mark "(変更あり)"
// first. Answers in keep: the state as kept, and whether every value reached the file.
void KeepEditedSettings(SettingsToKeep* keep, const char* designFolder, char sep);
