// The texts of the date memo dialog: what the calendar previews while the user types, in
// overwrite mode (the edit's text) or append mode (the stored memo and a new last line).
#pragma once
#include <string>

// The working text for the edit's text: in append mode the stored text, CR LF, then the edit's
// text (just the edit's text when nothing is stored).
std::string PreviewText(const std::string& stored, const std::string& edit, bool append);

// Entering append mode: the part of the edit's text that is added to the stored text. When the
// edit begins with the stored text, what follows it (a CR LF right behind it skipped); otherwise
// all of it.
std::string AddedPart(const std::string& edit, const std::string& stored);

// Lines of a memo text (CR LF or LF separated); an empty text counts as one.
int LineCount(const std::string& text);
