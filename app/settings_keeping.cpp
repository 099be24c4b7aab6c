#include "app/settings_keeping.h"

#include "config/design.h"
#include "config/named_designs.h"
#include "config/profile_store.h"
#include "config/settings.h"

void KeepEditedSettings(SettingsToKeep* keep, const char* designFolder, char sep) {
    MarkChangedDesign(designFolder, sep, &keep->state);
    g_app = keep->state;
    SetBindings(keep->bindings);
    ProfileWriteBatch batch;
    bool written = WriteSettings(g_app);
    written &= WriteDesign(g_app);
    keep->written = batch.End().ok() && written;
}
