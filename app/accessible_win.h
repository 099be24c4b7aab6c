// The window's accessible object for screen readers (WM_GETOBJECT), and the events that tell them
// what changed. Its children are the items of app/accessible_items, made anew at each question
// from the view on show.
#pragma once
#include <windows.h>

// Posted by the accessible object, which must not run a command inside a reader's call:
// wParam an AccessibleRequest, lParam its cell id or button index.
constexpr UINT WM_ACCESSIBLE_REQUEST = WM_APP + 3;
enum AccessibleRequest : WPARAM { kAccessibleSelect, kAccessibleDefaultAction, kAccessiblePress };

// WM_GETOBJECT: the client object for OBJID_CLIENT; anything else as the system answers it.
LRESULT OnGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);
// After each message the window handled: focus, selection, value and reorder events for what
// changed since the last call.
void NoteAccessibleChanges(HWND hwnd);
// WM_DESTROY: the object answers no more questions (a reader may still hold it).
void DisconnectAccessible();
