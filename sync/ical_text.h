// The text level of iCalendar files: escaping of TEXT values, folding and unfolding of content
// lines, and content lines taken apart into name, parameters and value. UTF-8 throughout.
#pragma once
#include <string>
#include <vector>

// "\" ";" "," and line breaks escaped as a TEXT value holds them; a CR LF or a lone CR or LF is
// one line break.
std::string EscapeText(const std::string& text);
// The other way; "\N" is a line break too, an unknown escape keeps the character after "\".
std::string UnescapeText(const std::string& value);

// A content line folded into lines of at most 75 octets, each ended by CR LF, never splitting a
// UTF-8 character; continuation lines begin with a space.
std::string FoldLine(const std::string& line);
// The content lines of a file: line ends CR LF or LF, folded lines joined again.
std::vector<std::string> UnfoldLines(const std::string& text);

struct ContentLine {
    std::string name;  // upper case
    std::vector<std::pair<std::string, std::string>> params;  // names upper case, quotes removed
    std::string value;
    const std::string* Param(const char* name) const;
};
// False when the line has no ":" after its name and parameters.
bool ParseContentLine(const std::string& line, ContentLine* out);
