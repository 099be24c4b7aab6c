// Reading and writing settings through the profile target: normally the configuration file;
// while a design is read or saved, the design file.
#pragma once
#include "config/file_ops.h"


void SetConfigPath(const char* path);
const char* ConfigPath();

// path == nullptr points the target back at the configuration file.
void SetProfileTarget(const char* path);
const char* ProfileTarget();

int ReadConfigInt(const char* key, int def);
int ReadProfileText(const char* section, const char* key, const char* def, char* buf, int size);
// Writes through the profile store. A failure is also listed for the user by the store, so
// callers that have nothing to keep open may let the result go.
WriteResult WriteConfigInt(const char* key, int value);
WriteResult WriteProfileText(const char* section, const char* key, const char* text);
WriteResult DeleteConfigKey(const char* key);
