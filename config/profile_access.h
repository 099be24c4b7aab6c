// Reading and writing the values of the configuration file.
#pragma once
#include "config/file_ops.h"


void SetConfigPath(const char* path);
const char* ConfigPath();

int ReadConfigInt(const char* key, int def);
int ReadProfileText(const char* section, const char* key, const char* def, char* buf, int size);
// Writes through the profile store. A failure is also listed for the user by the store, so
// callers that have nothing to keep open may let the result go.
WriteResult WriteConfigInt(const char* key, int value);
WriteResult WriteProfileText(const char* section, const char* key, const char* text);
WriteResult DeleteConfigKey(const char* key);
