// The data folder watched from the running calendar: a worker thread waits for changes in the
// folder and only posts WM_DATA_FILES_CHANGED to the window; the window, on its own thread, looks
// at the files and takes in what another program changed.
#pragma once
#include <windows.h>

constexpr UINT WM_DATA_FILES_CHANGED = WM_APP + 10;

// Starts watching the folder of the data files for hwnd; the stamps of the files now count as
// taken in. False when the folder cannot be watched (the calendar then works as before).
bool StartDataWatch(HWND hwnd);
// Ends the worker (shutdown).
void StopDataWatch();

// WM_DATA_FILES_CHANGED: a look at the files a moment later, so that a burst of changes (a
// file replaced, a sync of several files) is taken in once.
void OnDataFilesChanged(HWND hwnd);
