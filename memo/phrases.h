// Fixed phrases: sixteen stored texts pasted into memos, in section REGWORD of the common memo
// file, and the table the fixed phrase dialog edits.
#pragma once
#include <array>
#include <string>

constexpr int kPhraseCount = 16;
constexpr int kPhraseSize = 256;  // every reader takes at most 255 bytes

// Phrase slot (0 to 15) as CR LF text, at most 255 bytes; empty when unset.
std::string ReadPhrase(int slot);
// An empty text deletes the key. Never recorded for undo. False when it did not reach the file.
bool WritePhrase(int slot, const char* text);

// A line of the dialog's list: CR and LF as spaces, "(未登録)" for an empty slot.
void PhraseListText(const char* phrase, char* out, int outSize);
// An item of the paste popup: "&" doubled, CR and LF as blanks.
void PhraseMenuText(const char* phrase, char* out, int outSize);

struct PhraseTable {
    std::array<std::string, kPhraseCount> slots;  // each at most 255 bytes
};

void LoadPhraseTable(PhraseTable* table);
bool SavePhraseTable(const PhraseTable& table);  // false when a phrase did not reach the file
// The selected slot's text becomes text (cut to 255 bytes on a character boundary).
void SetPhrase(PhraseTable* table, int slot, const char* text);
// Up (-1) or down (+1): swaps the slot with its neighbour. Returns the neighbour's index, or -1
// when it would lie outside 0 to 15 (nothing changes).
int MovePhrase(PhraseTable* table, int slot, int direction);
