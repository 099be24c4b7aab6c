// Reading and writing settings through the profile target: normally the configuration file;
// while a design is read or saved, the design file.
#pragma once

void SetConfigPath(const char* path);
const char* ConfigPath();

// path == nullptr points the target back at the configuration file.
void SetProfileTarget(const char* path);
const char* ProfileTarget();

int ReadConfigInt(const char* key, int def);
int ReadProfileText(const char* section, const char* key, const char* def, char* buf, int size);
void WriteConfigInt(const char* key, int value);
void WriteProfileText(const char* section, const char* key, const char* text);
void DeleteConfigKey(const char* key);
