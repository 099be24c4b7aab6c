// Where the memo dialogs open: the position and size kept per screen size under
// "DLGPLACEMENT_KEEP" (bit value 1 the position, 2 the size).
#pragma once

struct DialogPlacement {
    bool hasPosition;
    int x, y;
    bool hasSize;
    int width, height;
};

// What dialog `name` ("DATEMEMO", "MEMO") may restore on a screen of screenWidth × screenHeight.
DialogPlacement ReadDialogPlacement(const char* name, int keep, int screenWidth, int screenHeight);
// Writes the kept parts of the placement and deletes the keys of the parts not kept. False when
// the file was not written.
bool SaveDialogPlacement(const char* name, int keep, int screenWidth, int screenHeight, const DialogPlacement& at);
