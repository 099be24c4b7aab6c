// The files the companion works on, named by the function the calendar names its own with
// (FormDataFileNames), so both use the same files:
//   (nothing)         those of the layered program in the companion's folder started without
//                     arguments: desk-calendar.ini, tessel_memo.ini, tessel_memo<year>.ini, ...
//   --dir FOLDER      those of the layered program in FOLDER started without arguments
//   --classic         with either: those of the classic program instead
//   --config PATH     those of the calendar started with PATH as its configuration
#pragma once
#include <string>

struct FileChoice {
    const char* config = nullptr;  // UTF-8 as typed
    const char* dir = nullptr;
    bool classic = false;
};

// Forms g_files, sets the edition and points the profile store at the configuration. False
// with the one line to print (code page 932) and its detail (UTF-8) when the choice names no
// place the files can be.
bool ChooseFiles(const FileChoice& choice, std::string* message, std::string* detail);

// Whether the configuration file is there (a calendar has run on these files).
bool ConfigurationExists();

// A path of g_files as UTF-8 for the user.
std::string PathForUser(const char* fileName);
