#include "app/process_state.h"

#include "app/interaction.h"
#include "app/minute_timer.h"
#include "calendar/holiday_rule_edits.h"
#include "calendar/holiday_rules.h"
#include "calendar/month_model.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/file_names.h"
#include "config/operations.h"
#include "config/profile_access.h"
#include "config/profile_store.h"
#include "config/tags.h"
#include "memo/countdown.h"
#include "memo/memo_store.h"
#include "memo/search_results.h"
#include "memo/undo_journal.h"
#include "memo/working_text.h"
#include "view/view_layout.h"

void ResetProcessState() {
    ProfileStoreReset();
    ProfileSetWriteFailureListener(nullptr);
    g_files = DataFiles{};
    SetEdition(kLayeredEdition);
    SetConfigPath("");
    ResetAppState(&g_app);
    ResetOperations();
    ResetTags();
    ReleaseHolidayRules();
    ResetRuleSortStates();
    ResetCountdowns();
    ResetUndoJournal();
    ReleaseWorkingText();
    ResetMemoStore();
    ResetToday();
    ResetNavigation(&g_nav);
    ReleaseViewModel();
    ResetSearchSortState();
    ResetInteraction();
    ResetMinuteClock();
}
