// Conversion between UTF-8 (the command-line tool's arguments and output) and code page 932
// (everything inside the program). Results are new allocations the caller frees with free();
// null when the input cannot be converted.
#pragma once
#include <string>

char* Utf8ToCp932(const char* utf8);
char* Cp932ToUtf8(const char* cp932);

// Prepares the console for UTF-8 output (Windows); nothing elsewhere.
void PrepareUtf8Console();

// A UTF-8 path as the platform's file functions take it: code page 932 on Windows (the program
// uses the ANSI functions), unchanged elsewhere, where file names are UTF-8 bytes already.
char* Utf8ToFileName(const char* utf8);
// The other way: a path as the platform's file functions gave it, as UTF-8.
char* FileNameToUtf8(const char* fileName);

// The first character of a UTF-8 text that code page 932 cannot hold, named for a message in
// UTF-8: "「😀」(U+1F600)", or "バイト 0xFF" for a byte that is no UTF-8; empty when there is none.
std::string NameOfFirstUnencodable(const char* utf8);

// The program's arguments as UTF-8 texts (argv[0] included), each a new allocation; *out is a
// new array ending with null. Windows takes them from the wide command line, the rest from argv.
bool ArgumentsAsUtf8(int argc, char** argv, char*** out);
void FreeArguments(char** args);
