// Turns the text picture of resources/icon.txt into an .ico file with a 16 x 16 and a 32 x 32
// image (32-bit colour with alpha, plus the 1-bit mask older readers want).
// Usage: make_icon <icon.txt> <out.ico>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr int kSize = 16;

struct Picture {
    uint32_t pixels[kSize][kSize];  // 0xAARRGGBB
};

bool ReadPicture(const char* path, Picture* out) {
    FILE* f = std::fopen(path, "r");
    if (!f) return false;
    uint32_t palette[256] = {};
    bool known[256] = {};
    int row = 0;
    char line[256];
    while (std::fgets(line, sizeof line, f) && row < kSize) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        unsigned rgb, alpha;
        char c;
        if (text[0] == '=' && std::sscanf(text.c_str(), "= %c %x %u", &c, &rgb, &alpha) == 3) {
            palette[static_cast<unsigned char>(c)] = (alpha & 0xFF) << 24 | (rgb & 0xFFFFFF);
            known[static_cast<unsigned char>(c)] = true;
            continue;
        }
        if (static_cast<int>(text.size()) != kSize) break;
        for (int x = 0; x < kSize; ++x) {
            unsigned char ch = static_cast<unsigned char>(text[x]);
            if (!known[ch]) {
                std::fclose(f);
                std::fprintf(stderr, "make_icon: unknown colour '%c' in row %d\n", ch, row);
                return false;
            }
            out->pixels[row][x] = palette[ch];
        }
        ++row;
    }
    std::fclose(f);
    if (row != kSize) std::fprintf(stderr, "make_icon: %d picture rows, want %d\n", row, kSize);
    return row == kSize;
}

void Put16(std::vector<uint8_t>& b, unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
void Put32(std::vector<uint8_t>& b, uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

// One icon image: header, colour rows bottom-up, then the mask rows (padded to 32 bits).
std::vector<uint8_t> IconImage(const Picture& pic, int scale) {
    int n = kSize * scale, maskStride = ((n + 31) / 32) * 4;
    std::vector<uint8_t> b;
    Put32(b, 40);
    Put32(b, n);
    Put32(b, n * 2);  // colour and mask stacked
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) Put32(b, pic.pixels[y / scale][x / scale]);
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < n; ++x)
            if ((pic.pixels[y / scale][x / scale] >> 24) == 0) row[x / 8] |= 0x80 >> (x % 8);
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon <icon.txt> <out.ico>\n");
        return 2;
    }
    Picture pic;
    if (!ReadPicture(argv[1], &pic)) return 1;
    std::vector<uint8_t> images[2] = {IconImage(pic, 1), IconImage(pic, 2)};
    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, 2);
    uint32_t offset = 6 + 16 * 2;
    for (int i = 0; i < 2; ++i) {
        int n = kSize * (i + 1);
        file.push_back(static_cast<uint8_t>(n));
        file.push_back(static_cast<uint8_t>(n));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, static_cast<uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (auto& image : images) file.insert(file.end(), image.begin(), image.end());
    FILE* out = std::fopen(argv[2], "wb");
    if (!out) return 1;
    bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
