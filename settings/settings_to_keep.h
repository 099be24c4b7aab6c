// What 適用 and OK of the settings dialog hand the calendar: the edited settings, design and
// bindings, for the calendar to make the ones in force and write.
#pragma once
#include "config/app_state.h"
#include "config/operations.h"

struct SettingsToKeep {
    AppState state;              // as edited; answered: as kept (the design's name may be marked
                                 // "(変更あり)")
    OperationBindings bindings;  // as edited
    bool trayBefore;             // the tray setting of the settings kept until now
    bool written;                // answered: every value reached the configuration file
};
