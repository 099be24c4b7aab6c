// The system's names of the keys the operation table binds.
#pragma once
#include <string>

// The name GetKeyNameText gives a key value's key (its low byte, with the extended flag of its
// key table entry); "" when the system has none.
std::string KeyNameOf(int keyValue);
