// The profile store side by side with the platform's profile functions. The system reads and
// writes a profile file without a byte order mark in its own code page, so where 932 text is
// compared the system's functions agree with the store only when that code page is 932: those
// tests are skipped under any other (the W functions are called, their texts converted to and
// from 932 as the store's are). The comparisons of numbers and of ASCII text hold under any.
//
// Values the platform changes by itself are kept out of the comparison, because the store keeps
// their bytes (shown by PlatformAltersValuesTheStoreKeeps below):
//   - a value wrapped in quotes, "..." or '...', loses the quotes when the platform reads it;
//   - an invalid Shift-JIS sequence (a lead byte followed by a byte that is no trail byte, or a
//     lead byte at the end) is altered or dropped by the platform's code page conversion.
// The comparison therefore uses only valid CP932 text: ASCII, half-width katakana, 0x7F, 0x80
// and double-byte characters taken from literals.
#include "config/profile_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "tests/dialog_driver_win.h"

namespace {

// Why a comparison of 932 text with the system's profile functions says nothing here; empty
// under code page 932.
std::string NotUnder932() {
    if (GetACP() == 932) return std::string();
    return "the system reads and writes profile files in its code page " + std::to_string(GetACP()) +
           ", not 932 (run with LC_ALL=ja_JP.UTF-8)";
}

std::string OursRead(const std::string& sec, const std::string& key, const std::string& path,
                     int size = 4096) {
    std::string buf(static_cast<size_t>(size), '\0');
    int n = ProfileReadString(sec.c_str(), key.c_str(), "<def>", buf.data(), size, path.c_str());
    return buf.substr(0, static_cast<size_t>(n < 0 ? 0 : n));
}

// What the system's reader gives, as 932 bytes; cut at size - 1 bytes as its narrow form cuts.
std::string PlatformRead(const std::string& sec, const std::string& key, const std::string& path,
                         int size = 4096) {
    std::wstring buf(static_cast<size_t>(size), L'\0');  // 932 text has no more UTF-16 units than bytes
    DWORD n = GetPrivateProfileStringW(Wide(sec).c_str(), Wide(key).c_str(), L"<def>", buf.data(),
                                       static_cast<DWORD>(size), Wide(path).c_str());
    std::string got = Sjis(std::wstring_view(buf.data(), n));
    return got.substr(0, std::min(got.size(), static_cast<size_t>(size > 0 ? size - 1 : 0)));
}

int PlatformReadInt(const std::string& sec, const std::string& key, int def, const std::string& path) {
    return static_cast<int>(GetPrivateProfileIntW(Wide(sec).c_str(), Wide(key).c_str(), def, Wide(path).c_str()));
}

// value null deletes the key.
bool PlatformWrite(const std::string& sec, const std::string& key, const char* value, const std::string& path) {
    std::wstring wideValue = value ? Wide(value) : L"";
    return WritePrivateProfileStringW(Wide(sec).c_str(), Wide(key).c_str(), value ? wideValue.c_str() : nullptr,
                                      Wide(path).c_str()) != 0;
}

std::string Hex(const std::string& s) {
    std::string out;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

struct Generator {
    std::mt19937 rng{20240601};
    std::vector<std::string> sections{"CONFIG", "FONTS", "BACKS", "MEMO", "REGWORD", "COLORTAG",
                                      "KEYASSIGN", "TESSEL_DESIGN", "1", "2", "12", "2024", "01"};
    std::vector<std::string> keys{"01", "02", "10", "31", "0101", "1231", "WIN_POS_X_1920",
                                  "WIN_POS_Y_1080", "TAG3", "TAG10", "TITLE_COLOR", "HOTKEY", "A",
                                  "B_", "_X", "DMEMO_SMOOTH"};
    std::vector<std::string> wide;  // valid double-byte characters

    Generator() {
        const char* name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
        for (int i = 0; i < 20; ++i) {
            std::string k;
            int len = 1 + static_cast<int>(rng() % 14);
            for (int j = 0; j < len; ++j) k += name[rng() % 37];
            keys.push_back(k);
        }
        // Includes trail bytes 0x5C ('\'), 0x5B ('['), 0x5D (']') and 0x7C ('|').
        std::string text = "日付メモ表示予定会議ソ能十貼構～①ＭＳ　ゴシック漢字暦曜鎖";
        for (size_t i = 0; i + 1 < text.size(); i += 2) wide.push_back(text.substr(i, 2));
    }
    unsigned Pick(unsigned n) { return rng() % n; }
    // Mixed case on the way in: names match regardless of ASCII case.
    std::string Spell(const std::string& s) {
        std::string out = s;
        for (char& c : out)
            if (c >= 'A' && c <= 'Z' && Pick(4) == 0) c = static_cast<char>(c + 32);
        return out;
    }
    std::string Value() {
        static const char* ints[] = {"-5", "12abc", "0x10", "abc", "0b101", "0o17", "+3", "-0",
                                     "4294967296", "0X1F", "010", "-32768", "1920"};
        if (Pick(6) == 0) return ints[Pick(std::size(ints))];
        std::string v;
        int pieces = static_cast<int>(Pick(40));
        for (int i = 0; i < pieces; ++i) {
            switch (Pick(10)) {
                case 0: case 1: case 2: v += static_cast<char>(0x20 + Pick(0x5F)); break;
                case 3: v += "\t"; break;
                case 4: v += "\x7F"; break;
                case 5: v += "\x80"; break;
                case 6: v += "=;[]\"'"[Pick(6)]; break;
                case 7: v += static_cast<char>(0xA1 + Pick(0x3F)); break;
                default: v += wide[Pick(wide.size())]; break;
            }
        }
        if (Pick(3) == 0) v = std::string(1 + Pick(3), Pick(2) ? ' ' : '\t') + v;
        if (Pick(3) == 0) v += std::string(1 + Pick(3), Pick(2) ? ' ' : '\t');
        return v;
    }
    // What a read gives back: the value without blanks at either end.
    static std::string Trimmed(const std::string& v) {
        size_t b = v.find_first_not_of(" \t");
        if (b == std::string::npos) return "";
        return v.substr(b, v.find_last_not_of(" \t") - b + 1);
    }
    std::string ComparableValue() {
        for (;;) {
            std::string v = Value();
            std::string t = Trimmed(v);
            bool wrapped = t.size() >= 2 && (t[0] == '"' || t[0] == '\'') && t.back() == t[0];
            if (!wrapped) return v;
        }
    }
};

class ProfileWin : public ::testing::Test {
protected:
    void SetUp() override {
        dir = FreshTempFolder("tessel_profile");
        ours = dir + "\\ours.ini";
        platform = dir + "\\platform.ini";
        ProfileStoreReset();
    }
    void TearDown() override {
        DeleteFileW(Wide(ours).c_str());
        DeleteFileW(Wide(platform).c_str());
        RemoveDirectoryW(Wide(dir).c_str());
        ProfileStoreReset();
    }
    std::string dir, ours, platform;
};

TEST_F(ProfileWin, RandomOperationsAgreeWithThePlatform) {
    if (std::string why = NotUnder932(); !why.empty()) GTEST_SKIP() << why;
    Generator g;
    int writes = 0, deletes = 0, reads = 0, sweeps = 0;
    auto sweep = [&]() {
        ++sweeps;
        for (const std::string& s : g.sections) {
            for (const std::string& k : g.keys) {
                std::string a = OursRead(s, k, ours);
                std::string b = PlatformRead(s, k, platform);
                ASSERT_EQ(a, b) << "[" << s << "] " << k << ": " << Hex(a) << "| " << Hex(b);
                // Each reads the other's file the same way.
                ASSERT_EQ(OursRead(s, k, platform), b) << "[" << s << "] " << k;
                ASSERT_EQ(PlatformRead(s, k, ours), a) << "[" << s << "] " << k;
                ASSERT_EQ(ProfileReadInt(s.c_str(), k.c_str(), 12345, ours.c_str()),
                          PlatformReadInt(s, k, 12345, platform))
                    << "[" << s << "] " << k << " = " << a;
            }
        }
    };
    const int kOps = 2400;
    for (int op = 0; op < kOps; ++op) {
        std::string s = g.Spell(g.sections[g.Pick(g.sections.size())]);
        std::string k = g.Spell(g.keys[g.Pick(g.keys.size())]);
        unsigned what = g.Pick(20);
        if (what < 10) {
            std::string v = g.ComparableValue();
            ASSERT_TRUE(ProfileWriteString(s.c_str(), k.c_str(), v.c_str(), ours.c_str()));
            ASSERT_TRUE(PlatformWrite(s, k, v.c_str(), platform));
            ASSERT_EQ(OursRead(s, k, ours), Generator::Trimmed(v)) << op << ": " << Hex(v);
            ++writes;
        } else if (what < 13) {
            ASSERT_TRUE(ProfileWriteString(s.c_str(), k.c_str(), nullptr, ours.c_str()));
            PlatformWrite(s, k, nullptr, platform);
            ASSERT_EQ(OursRead(s, k, ours), "<def>");
            ++deletes;
        }
        std::string a = OursRead(s, k, ours), b = PlatformRead(s, k, platform);
        ASSERT_EQ(a, b) << "op " << op << " [" << s << "] " << k << ": " << Hex(a) << "| " << Hex(b);
        ++reads;
        if (op % 400 == 399) {
            sweep();
            if (HasFatalFailure()) return;
        }
    }
    sweep();
    std::printf("%d writes, %d deletes, %d paired reads, %d full sweeps of %zu keys\n", writes,
                deletes, reads, sweeps, g.sections.size() * g.keys.size());
    EXPECT_GE(writes + deletes + reads, 2000);
}

// Numbers and ASCII cuts: the same under any code page.
TEST_F(ProfileWin, ReadIntAndCutAgreeWithThePlatform) {
    const char* values[] = {"-5", "12abc", "0x10", "abc", "", "  42  ", "+7", "-32768",
                            "4294967295", "4294967296", "0b101", "0o17", "0x1G", "010", "-0x10",
                            "0X10", "0x", "-", "+-1", "99999999999", "\t-8\t", "１２"};
    for (size_t i = 0; i < std::size(values); ++i) {
        std::string key = "K" + std::to_string(i);
        ASSERT_TRUE(ProfileWriteString("N", key.c_str(), values[i], ours.c_str()));
    }
    for (size_t i = 0; i < std::size(values); ++i) {
        std::string key = "K" + std::to_string(i);
        EXPECT_EQ(ProfileReadInt("N", key.c_str(), 77, ours.c_str()), PlatformReadInt("N", key, 77, ours))
            << "\"" << values[i] << "\"";
    }
    EXPECT_EQ(ProfileReadInt("N", "MISSING", -3, ours.c_str()), PlatformReadInt("N", "MISSING", -3, ours));
    // A value longer than the buffer: n - 1 bytes and the count n - 1, as the platform does.
    ASSERT_TRUE(ProfileWriteString("S", "LONG", "abcdefghijklmnop", ours.c_str()));
    for (int size : {1, 2, 5, 16, 17, 18}) {
        std::string a = OursRead("S", "LONG", ours, size), b = PlatformRead("S", "LONG", ours, size);
        EXPECT_EQ(a, b) << "size " << size;
        EXPECT_EQ(a.size(), static_cast<size_t>(size - 1 < 16 ? size - 1 : 16));
    }
}

TEST_F(ProfileWin, BothReadEachOthersLineEndsCommentsAndCase) {
    if (std::string why = NotUnder932(); !why.empty()) GTEST_SKIP() << why;
    // A hand-made file with everything a hand editor might leave.
    const char* text =
        "; comment\n\n[config]\nWin_Pos_X_1920 = -12 \r\n  TAG3=\t赤,青\t\r\n[FONTS]\rTITLE=ＭＳ ゴシック\r"
        "[MEMO]\r\n0101=元日\x7F初詣\r\n";
    FILE* f = OpenFile(ours.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
    const char* pairs[][2] = {{"CONFIG", "WIN_POS_X_1920"}, {"Config", "tag3"},
                              {"FONTS", "TITLE"}, {"memo", "0101"}, {"MEMO", "0102"}};
    for (auto& p : pairs) EXPECT_EQ(OursRead(p[0], p[1], ours), PlatformRead(p[0], p[1], ours)) << p[1];
    // After our rewrite the platform still reads every key the same.
    ASSERT_TRUE(ProfileWriteString("MEMO", "0102", "次", ours.c_str()));
    for (auto& p : pairs) EXPECT_EQ(OursRead(p[0], p[1], ours), PlatformRead(p[0], p[1], ours)) << p[1];
    EXPECT_EQ(PlatformRead("MEMO", "0102", ours), "次");
}

TEST_F(ProfileWin, PlatformAltersValuesTheStoreKeeps) {
    if (std::string why = NotUnder932(); !why.empty()) GTEST_SKIP() << why;
    const char* values[] = {"\"quoted\"", "'single'", "\x81\x20x", "ab\x81"};
    for (size_t i = 0; i < std::size(values); ++i) {
        std::string key = "V" + std::to_string(i);
        ASSERT_TRUE(ProfileWriteString("MEMO", key.c_str(), values[i], ours.c_str()));
    }
    ProfileStoreReset();
    for (size_t i = 0; i < std::size(values); ++i) {
        std::string key = "V" + std::to_string(i);
        EXPECT_EQ(OursRead("MEMO", key, ours), values[i]) << Hex(values[i]);
        // The reason these stay out of the comparison: the platform gives something else.
        EXPECT_NE(PlatformRead("MEMO", key, ours), values[i]) << Hex(values[i]);
    }
}

// ---- Writers in two processes at once ---------------------------------------------------------

// Runs only as a child of the test below: writes TESSEL_WRITER = "path|prefix|count" once the
// start event is set.
TEST(ProfileStoreWin, WriterChild) {
    wchar_t job[MAX_PATH + 64];
    if (!GetEnvironmentVariableW(L"TESSEL_WRITER", job, static_cast<DWORD>(std::size(job))))
        GTEST_SKIP() << "only run by another test";
    std::string s = Sjis(job);
    size_t a = s.find('|'), b = s.find('|', a + 1);
    std::string path = s.substr(0, a), prefix = s.substr(a + 1, b - a - 1);
    int count = std::atoi(s.c_str() + b + 1);
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, L"tessel_writers_go");
    ASSERT_NE(go, nullptr);
    WaitForSingleObject(go, 20000);
    CloseHandle(go);
    for (int i = 0; i < count; ++i) {
        std::string key = prefix + std::to_string(i);
        ASSERT_TRUE(ProfileWriteString("S", key.c_str(), key.c_str(), path.c_str())) << key;
    }
}

TEST(ProfileStoreWin, TwoProcessesWritingAtOnceLoseNothing) {
    std::string path = FreshTempFolder("tessel_writers") + "\\w.ini";
    constexpr int kKeys = 250;
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, L"tessel_writers_go");
    ASSERT_NE(go, nullptr);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    PROCESS_INFORMATION children[2] = {};
    for (int c = 0; c < 2; ++c) {
        std::string job = path + "|P" + std::to_string(c) + "_|" + std::to_string(kKeys);
        SetEnvironmentVariableW(L"TESSEL_WRITER", Wide(job).c_str());
        std::wstring command = std::wstring(L"\"") + self + L"\" --gtest_filter=ProfileStoreWin.WriterChild --gtest_brief=1";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &children[c]));
    }
    SetEnvironmentVariableW(L"TESSEL_WRITER", nullptr);
    SetEvent(go);
    for (PROCESS_INFORMATION& child : children) {
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 120000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    CloseHandle(go);
    // Read back through the platform's own functions.
    int lost = 0;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kKeys; ++i) {
            std::string key = "P" + std::to_string(c) + "_" + std::to_string(i);
            if (PlatformRead("S", key, path) != key) ++lost;
        }
    EXPECT_EQ(lost, 0);
}

TEST(ProfileStoreWin, ReadOnlyFileIsNeverReplaced) {
    std::string path = FreshTempFolder("tessel_readonly") + "\\r.ini";
    ASSERT_TRUE(ProfileWriteString("S", "K", "old", path.c_str()));
    ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    WriteResult r = ProfileWriteString("S", "K", "new", path.c_str());
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(r.error, WriteError::kFileReadOnly);
    EXPECT_EQ(PlatformRead("S", "K", path), "old");
    EXPECT_TRUE(ProfileWriteString("S", "K", "new", path.c_str()));
    EXPECT_EQ(PlatformRead("S", "K", path), "new");
    ProfileTakeWriteFailures();
}

}  // namespace
