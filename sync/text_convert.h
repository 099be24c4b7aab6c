// Conversion between UTF-8 (the command-line tool's arguments and output) and code page 932
// (everything inside the program). Nothing when the input cannot be converted.
#pragma once
#include <optional>
#include <string>
#include <vector>

std::optional<std::string> Utf8ToCp932(const char* utf8);
std::optional<std::string> Cp932ToUtf8(const char* cp932);

// Prepares the console for UTF-8 output (Windows); nothing elsewhere.
void PrepareUtf8Console();

// A UTF-8 path as the program keeps file names: code page 932 on Windows (OpenFileNamed takes it
// to the wide functions), unchanged elsewhere, where file names are UTF-8 bytes already.
std::optional<std::string> Utf8ToFileName(const char* utf8);
// The other way: a path as the platform's file functions gave it, as UTF-8.
std::optional<std::string> FileNameToUtf8(const char* fileName);

// The first character of a UTF-8 text that code page 932 cannot hold, named for a message in
// UTF-8: "「😀」(U+1F600)", or "バイト 0xFF" for a byte that is no UTF-8; empty when there is none.
std::string NameOfFirstUnencodable(const char* utf8);

// The program's arguments as UTF-8 texts (argv[0] included). Windows takes them from the wide
// command line, the rest from argv. False when they cannot be had.
bool ArgumentsAsUtf8(int argc, char** argv, std::vector<std::string>* out);
