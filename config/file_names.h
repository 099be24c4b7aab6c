// The names of every data file, formed once at start-up from the command line or the program path.
#pragma once
#include "config/edition.h"


struct DataFiles {
    char configPath[260];
    char memoPath[272];
    char yearMemoBase[272];  // the year memo file of year Y is this, Y in decimal, then ".ini"
    char holidayPath[272];
    char programDir[260];  // the program's folder, where named designs are kept; empty without a program path
};

extern DataFiles g_files;

// commandLine: the whole command-line text (may be empty); programPath: the program's full path.
// sep is the path separator of the platform ('\\' on Windows).
void FormDataFileNames(Edition edition, const char* commandLine, const char* programPath, char sep,
                       DataFiles* out);

// The year memo file of year: the base, the year in decimal, ".ini". Never a format: a folder
// name may hold "%".
void YearMemoPath(const DataFiles& files, int year, char* out, int outSize);

// The folder part of a path (up to, not including, its last separator).
void DirectoryOf(const char* path, char sep, char* out, int outSize);
