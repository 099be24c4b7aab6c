// Date memos, the free memo and the fixed phrases as stored in the memo files.
// Address (year, month, day): month 1..12 a date memo; month <= 0 the common memo file, year 0 the
// free memo, any other year fixed phrase slot `day`.
#pragma once
#include "config/file_ops.h"

// Decoded CR LF text: a new copy (caller frees) when buf is null or size <= 0, else copied, cut.
char* ReadMemo(int year, int month, int day, char* buf = nullptr, int size = 0);
// Stores the text (appended as a new last line with append) and records the change for undo.
// The result says whether it reached the file; a failed write changes nothing and records
// nothing.
[[nodiscard]] WriteResult WriteMemo(int year, int month, int day, const char* text, bool append);
// The stored bytes as they are (marker and 0x7F included); caller frees. For the date being
// edited, the working text encoded the same way (without the leading-space marker).
char* ReadMemoRaw(int year, int month, int day);
// The free memo as CR LF text (the working text while the memo box is being edited); migrates
// the old one-key-per-line form when the free memo is empty.
char* ReadFreeMemo(char* buf = nullptr, int size = 0);
// The free memo; an empty text also removes the old one-key-per-line form.
[[nodiscard]] WriteResult WriteFreeMemo(const char* text);

// Hands out a text the way the readers above do: copied into buf (cut on a character boundary)
// when buf is given with a size, else as a new copy the caller frees.
char* MemoTextOut(const char* text, char* buf, int size);

// Splits text in place at NUL, a or b; lines is grown by 100 entries; count is in/out.
char** SplitMemoLines(char* text, char a, char b, char** lines, int* count);
// Splits an in-memory text at LF, overwriting CR and LF with r; null-terminated array.
char** SplitTextLines(char* text, char r);

// Where memo values are read from: the profile store, unless a benchmark puts the platform's
// profile function in its place to compare. Null restores the profile store.
typedef int (*MemoProfileReader)(const char* section, const char* key, const char* def, char* buf,
                                 int size, const char* path);
void SetMemoProfileReader(MemoProfileReader reader);

// Profile reads of the last growing-buffer call (tests).
int MemoLastReadCount();
// The first size and growth step of the reads for drawing ("DRAWMEMOSIZE"; 256 when below 2).
void SetDrawMemoSize(int size);
// Buffer sizes back to their start, the profile store as the reader.
void ResetMemoStore();
