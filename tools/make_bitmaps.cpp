// Turns the text pictures of resources/buttons.txt into 1-bit .bmp files, one per picture,
// named button<ID>.bmp, for the title bar's operation buttons.
// Usage: make_bitmaps <buttons.txt> <output folder>
//
// Input: "bitmap <id> <size>" followed by <size> rows of <size> characters, '#' black and
// '.' white. Lines starting with "//" and blank lines between pictures are ignored.
// A picture must be 10 or 16 pixels square and have its whole outer ring black (the frame).
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {
struct Picture {
    int id = 0;
    int size = 0;
    int line = 0;                    // line of the header, for messages
    std::vector<std::string> rows;   // top to bottom
};

bool Fail(const char* path, int line, const std::string& message) {
    std::fprintf(stderr, "%s:%d: %s\n", path, line, message.c_str());
    return false;
}

bool IsPictureRow(const std::string& text) { return !text.empty() && (text[0] == '#' || text[0] == '.'); }

bool CheckRow(const char* path, int line, const Picture& pic, const std::string& text) {
    int n = static_cast<int>(pic.rows.size());
    if (static_cast<int>(text.size()) != pic.size)
        return Fail(path, line, "bitmap " + std::to_string(pic.id) + " row " + std::to_string(n) + " has " +
                                    std::to_string(text.size()) + " pixels, want " + std::to_string(pic.size));
    for (int x = 0; x < pic.size; ++x) {
        char c = text[x];
        if (c != '#' && c != '.')
            return Fail(path, line, "bitmap " + std::to_string(pic.id) + ": unknown character '" +
                                        std::string(1, c) + "' (only '#' and '.')");
        bool edge = n == 0 || n == pic.size - 1 || x == 0 || x == pic.size - 1;
        if (edge && c != '#')
            return Fail(path, line, "bitmap " + std::to_string(pic.id) + ": frame pixel (" + std::to_string(x) +
                                        ", " + std::to_string(n) + ") is not black");
    }
    return true;
}

bool ReadPictures(const char* path, std::vector<Picture>* out) {
    FILE* f = std::fopen(path, "r");
    if (!f) return Fail(path, 0, "cannot open");
    std::set<int> ids;
    Picture* open = nullptr;  // the picture still collecting rows
    bool ok = true;
    char buffer[512];
    int line = 0;
    while (ok && std::fgets(buffer, sizeof buffer, f)) {
        ++line;
        std::string text(buffer);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (open) {
            if (text.rfind("bitmap", 0) == 0) {
                ok = Fail(path, line, "bitmap " + std::to_string(open->id) + " has " +
                                          std::to_string(open->rows.size()) + " rows, want " +
                                          std::to_string(open->size));
                break;
            }
            ok = CheckRow(path, line, *open, text);
            if (ok) open->rows.push_back(text);
            if (ok && static_cast<int>(open->rows.size()) == open->size) open = nullptr;
            continue;
        }
        if (text.empty() || text.rfind("//", 0) == 0) continue;
        if (IsPictureRow(text)) {
            ok = Fail(path, line, out->empty() ? "picture row before any \"bitmap\" line"
                                               : "bitmap " + std::to_string(out->back().id) + " has more than " +
                                                     std::to_string(out->back().size) + " rows");
            break;
        }
        Picture pic;
        char tail = 0;
        if (std::sscanf(text.c_str(), "bitmap %d %d %c", &pic.id, &pic.size, &tail) != 2) {
            ok = Fail(path, line, "expected \"bitmap <id> <size>\": " + text);
        } else if (pic.size != 10 && pic.size != 16) {
            ok = Fail(path, line, "bitmap " + std::to_string(pic.id) + ": size " + std::to_string(pic.size) +
                                      ", want 10 or 16");
        } else if (pic.id <= 0 || pic.id > 0xFFFF || !ids.insert(pic.id).second) {
            ok = Fail(path, line, "bad or repeated bitmap id " + std::to_string(pic.id));
        } else {
            pic.line = line;
            out->push_back(pic);
            open = &out->back();
        }
    }
    std::fclose(f);
    if (ok && open)
        ok = Fail(path, open->line, "bitmap " + std::to_string(open->id) + " has " +
                                        std::to_string(open->rows.size()) + " rows, want " + std::to_string(open->size));
    if (ok && out->empty()) ok = Fail(path, line, "no pictures");
    return ok;
}

void Put16(std::vector<uint8_t>& b, unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

// BITMAPFILEHEADER, BITMAPINFOHEADER, a black/white colour table, rows bottom-up.
std::vector<uint8_t> BmpFile(const Picture& pic) {
    const uint32_t stride = ((pic.size + 31) / 32) * 4, bits = stride * pic.size;
    const uint32_t offset = 14 + 40 + 2 * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + bits);
    Put32(b, 0);  // two reserved words
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, pic.size);
    Put32(b, pic.size);  // positive height: bottom-up
    Put16(b, 1);         // planes
    Put16(b, 1);         // bits per pixel
    Put32(b, 0);         // BI_RGB
    Put32(b, bits);
    Put32(b, 2835);  // 72 dpi
    Put32(b, 2835);
    Put32(b, 2);  // colours used
    Put32(b, 2);  // colours important
    Put32(b, 0x00000000);  // index 0: black
    Put32(b, 0x00FFFFFF);  // index 1: white
    for (int y = pic.size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < pic.size; ++x)
            if (pic.rows[y][x] == '.') row[x / 8] |= 0x80 >> (x % 8);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_bitmaps <buttons.txt> <output folder>\n");
        return 2;
    }
    std::vector<Picture> pictures;
    if (!ReadPictures(argv[1], &pictures)) return 1;
    for (const Picture& pic : pictures) {
        std::string name = std::string(argv[2]) + "/button" + std::to_string(pic.id) + ".bmp";
        std::vector<uint8_t> file = BmpFile(pic);
        FILE* out = std::fopen(name.c_str(), "wb");
        if (!out) {
            std::fprintf(stderr, "make_bitmaps: cannot write %s\n", name.c_str());
            return 1;
        }
        bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
        if (std::fclose(out) != 0 || !ok) {
            std::fprintf(stderr, "make_bitmaps: cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
