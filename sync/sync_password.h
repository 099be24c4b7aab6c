// Where the password of a calendar account is kept: never in an INI file. On Windows the user's
// credential store (Credential Manager, a generic credential named for the URL and user); on POSIX
// systems a file beside the configuration that only its owner may read or write, refused when
// anyone else may read it. Each function names the failure in one line (code page 932).
#pragma once
#include <string>

enum class PasswordRead { kFound, kMissing, kExposed, kFailed };  // kExposed: others may read it

struct KeptPassword {
    PasswordRead status = PasswordRead::kMissing;
    std::string password;  // UTF-8, with kFound
    std::string why;       // one line for the user otherwise
};

// configPath: the configuration file the account belongs to (the POSIX file sits beside it).
bool KeepSyncPassword(const char* configPath, const std::string& url, const std::string& user,
                      const std::string& password, std::string* why);
KeptPassword ReadSyncPassword(const char* configPath, const std::string& url, const std::string& user);
bool ForgetSyncPassword(const char* configPath, const std::string& url, const std::string& user);
