// Every process-wide record of the calendar at once: start-up begins with it, shutdown ends with
// it (so nothing outlives the run), and each test starts from it.
#pragma once

// Puts every record into its start state and frees what the records hold: the profile store and
// its unreported failures, file names, AppState, operations, tags, holiday rules, month model,
// countdown memos and form, undo journal, working text and editing cell, memo store buffers,
// today, navigation, view model, search sort states and the window's interaction state. (The window's own state is the shell's,
// reset by the start-up.)
void ResetProcessState();
