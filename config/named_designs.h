// Named designs: further INI files beside the program that hold a design under a name, marked by
// the key NAME of section TESSEL_DESIGN, and the standard design built into the program. Switching
// to one reads it into a working copy; saving writes the working copy's design into a file of the
// user's choice.
#pragma once
#include <string>
#include <vector>

#include "config/app_state.h"
#include "config/file_names.h"
#include "config/file_ops.h"

inline constexpr char kDesignSection[] = "TESSEL_DESIGN";
inline constexpr char kChangedDesignMark[] = "(変更あり)";

// The names of every design file among the *.ini files of folder, in the order the folder lists
// them. A file is one when its NAME is not empty, whatever else it holds.
std::vector<std::string> ListDesignNames(const char* folder, char sep);

// The file a design of that name is kept in: folder, sep, name, ".ini".
std::string DesignFilePath(const char* folder, const char* name, char sep);

// Whether path names a design file (it exists and its NAME is not empty).
bool IsDesignFile(const char* path);

// The name the standard design goes by among the designs of folder: "標準", unless a design file
// of that name is there (the user's own: it keeps the name, and the standard design is listed as
// "標準(組み込み)").
std::string StandardDesignName(const char* folder, char sep);

// The working copy takes the chosen name. When the name has a design file, is the standard
// design's, or is the live design's name (liveName: its design is then read back from the
// configuration file, which undoes edits), the design is read into work; true when it was. Font
// handles are the caller's.
bool SelectDesign(const char* folder, char sep, const char* name, const char* liveName, AppState* work);

// Whether saving a design as path would overwrite one of the program's own files: the
// configuration, the memo file, the holiday file or a year memo file (base, a year >= 1, ".ini").
// Letters compare ignoring case, as the file system does.
bool IsProtectedFile(const char* path, const DataFiles& files);

// Writes work's design and its NAME (the file name without folder and extension) into path as one
// replacement of the file. When it reached the disk the working copy takes that name.
WriteResult SaveDesignAs(const char* path, char sep, AppState* work);

// When the live design differs from the design file of its name (or from the standard design, for
// its name), the name gets the mark "(変更あり)" (a marked name names no design, so it is never
// marked twice). True when it marked.
bool MarkChangedDesign(const char* folder, char sep, AppState* live);

// A first start, before there is a configuration file: state takes the standard design under its
// name, and both go into the configuration file, so that the next start reads them back. False
// when the file could not be written (the store tells the user).
bool StartWithStandardDesign(const char* folder, char sep, AppState* state);
