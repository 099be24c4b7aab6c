// The program's own path and the file-system checks the command-line tool makes before it reads.
#pragma once

// The full path of the running executable; false when it cannot be had.
bool GetProgramPath(char* out, int outSize);

// The platform's path separator.
char PathSeparator();

enum PathKind { kPathMissing, kPathFile, kPathDirectory, kPathOther };
PathKind KindOfPath(const char* path);
