// How a memo text is kept in a memo file's value, and back. In memory a memo is lines joined by
// CR LF; stored, each line break is the byte 0x7F (a TAB read back ends a line too), and a leading
// space, which the file would drop, is kept by a 0x80 byte put before it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kMemoLineBreak = 0x7F;
inline constexpr char kMemoSpaceMarker = static_cast<char>(0x80);

// The stored form of a CR LF text: CR dropped, LF made 0x7F, the marker first when marker is set
// and the text begins with a space; the line ends and blanks at its end go (the file drops the
// blanks, and the line ends before them would make an empty last line).
std::string EncodeMemo(std::string_view text, bool marker);
// The stored value without its leading-space marker.
std::string_view StoredMemoBody(std::string_view stored);
// The CR LF text of a stored value: marker dropped, TAB and 0x7F end a line (a double-byte
// character is taken whole), a separator at the very end makes no empty last line.
std::string DecodeMemo(std::string_view stored);
// The stored value with encoded (a value EncodeMemo made) added as a new last line. The marker
// belongs to the start of the whole value only; a marker alone holds no line.
std::string AppendStoredLine(std::string_view stored, std::string_view encoded);

// The lines of a stored value, split at TAB and 0x7F as DecodeMemo splits them; an empty value is
// one empty line.
std::vector<std::string_view> SplitMemoLines(std::string_view stored);
// The lines of a CR LF text, split at each LF; a line ends at its first CR (a lone CR ends what is
// shown of it). No empty line after a break at the very end; an empty text has no lines.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The lines point into the text, which must outlive them: a temporary string is refused.
std::vector<std::string_view> SplitMemoLines(std::string&&) = delete;
std::vector<std::string_view> SplitTextLines(std::string&&) = delete;
inline std::vector<std::string_view> SplitMemoLines(const char* stored) { return SplitMemoLines(std::string_view(stored)); }
inline std::vector<std::string_view> SplitTextLines(const char* text) { return SplitTextLines(std::string_view(text)); }
