// sync setup URL USER, and sync: the companion's two-way sync with a CalDAV calendar.
#pragma once

int RunSyncCommand(int argc, char** argv);
