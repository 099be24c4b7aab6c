// Date memos, the free memo and the fixed phrases as stored in the memo files.
// Address (year, month, day): month 1..12 a date memo; month <= 0 the common memo file, year 0 the
// free memo, any other year fixed phrase slot `day`.
//
// Threads: ReadMemo, ReadMemoRaw, StoreMemo and the settings below may be called from any thread
// at once (the store's own state is locked; the files are the profile store's, which locks
// itself). The rest touch the window's undo journal as well and belong to the window's thread.
#pragma once
#include <string>
#include <string_view>

#include "config/file_names.h"
#include "config/file_ops.h"
#include "memo/memo_codec.h"

// The memo as CR LF text; empty when the file, section or key is missing.
std::string ReadMemo(int year, int month, int day);

// What a store did: whether it reached the file, and whether the text differed from the stored
// value (nothing is written when it did not; with a failed write the file keeps before).
struct MemoStoreResult {
    WriteResult result;
    bool changed = false;
    std::string before, after;  // the stored values (marker and 0x7F line breaks included)
};
// Encodes the text and stores it (appended as a new last line with append), without recording it
// for undo. An empty text in append mode stores nothing.
MemoStoreResult StoreMemo(int year, int month, int day, std::string_view text, bool append);
// StoreMemo, and the change recorded for undo (date memos and the free memo; fixed phrases never).
// The result says whether it reached the file; a failed write changes nothing and records
// nothing.
[[nodiscard]] WriteResult WriteMemo(int year, int month, int day, std::string_view text, bool append);
// The stored bytes as they are (marker and 0x7F included).
std::string ReadMemoRaw(int year, int month, int day);
// The free memo as CR LF text; migrates the old one-key-per-line form (at most memoRow lines,
// "MEMO_ROW") when the free memo is empty.
std::string ReadFreeMemo(int memoRow);
// The free memo; an empty text also removes the old one-key-per-line form (memoRow lines).
[[nodiscard]] WriteResult WriteFreeMemo(std::string_view text, int memoRow);

// Where the memos live: the store keeps its own copy of the common memo file's and the year
// files' names, set by whoever formed the data file names (start-up, the companion, tests).
void SetMemoFiles(const DataFiles& files);

// Where memo values are read from: the profile store, unless a benchmark puts the platform's
// profile function in its place to compare. Null restores the profile store.
typedef int (*MemoProfileReader)(const char* section, const char* key, const char* def, char* buf,
                                 int size, const char* path);
void SetMemoProfileReader(MemoProfileReader reader);

// Profile reads of the last growing-buffer call (tests).
int MemoLastReadCount();
// The first size and growth step of the reads for drawing ("DRAWMEMOSIZE"; 256 when below 2).
void SetDrawMemoSize(int size);
// Buffer sizes back to their start, the profile store as the reader, no memo files.
void ResetMemoStore();
