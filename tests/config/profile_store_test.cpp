// The profile store against real files in a fresh folder.
#include "config/profile_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <vector>
#include <unistd.h>

#include "config/file_ops.h"

namespace {

std::string Slurp(const std::string& path) {
    std::string s;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return s;
    char b[65536];
    size_t n;
    while ((n = std::fread(b, 1, sizeof b, f)) > 0) s.append(b, n);
    std::fclose(f);
    return s;
}

void Spit(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
}

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tessel_profile_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        file = dir + "/test.ini";
        ProfileStoreReset();
    }
    void TearDown() override {
        ProfileStoreReset();
        std::string cmd = "rm -rf '" + dir + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    std::string Read(const char* sec, const char* key, const char* def = "<def>", int size = 4096) {
        std::string buf(static_cast<size_t>(size), '\x01');
        int n = ProfileReadString(sec, key, def, buf.data(), size, file.c_str());
        EXPECT_EQ(static_cast<size_t>(n), std::strlen(buf.c_str()));
        return buf.substr(0, static_cast<size_t>(n));
    }
    bool Write(const char* sec, const char* key, const char* value) {
        return ProfileWriteString(sec, key, value, file.c_str()).ok();
    }
    // Files in the folder other than the ini file itself and the writers' lock (temporary files
    // left behind).
    int Strays() {
        int n = 0;
        DIR* d = opendir(dir.c_str());
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name != "." && name != ".." && name != "test.ini" && name != kWriteLockName) ++n;
        }
        closedir(d);
        return n;
    }
    std::string dir, file;
};

// ---- Reading --------------------------------------------------------------------------------

TEST_F(ProfileTest, ReadMissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read("CONFIG", "X"), "<def>");
    EXPECT_FALSE(std::ifstream(file).good());
    Spit(file, "[CONFIG]\r\nA=1\r\n");
    EXPECT_EQ(Read("OTHER", "A"), "<def>");
    EXPECT_EQ(Read("CONFIG", "B"), "<def>");
    EXPECT_EQ(Read("CONFIG", "B", nullptr), "");
    EXPECT_EQ(Read("CONFIG", "B", "dflt  "), "dflt");  // trailing spaces of a default go
    EXPECT_EQ(Read("CONFIG", "A"), "1");
}

TEST_F(ProfileTest, ReadReturnsEveryByteButTheBlanksAtEitherEnd) {
    const std::string tricky = "日付\t表ソ能\x7F" "a=b;c[d]\x80\xB1\xDF x";
    Spit(file, "[MEMO]\r\nK1=" + tricky + "\r\nK2 = \t  padded \t \r\nK3=\r\n  K4  =  v  \r\n");
    EXPECT_EQ(Read("MEMO", "K1"), tricky);
    EXPECT_EQ(Read("MEMO", "K2"), "padded");
    EXPECT_EQ(Read("MEMO", "K3"), "");  // present but empty: not the default
    EXPECT_EQ(Read("MEMO", "K4"), "v");
}

TEST_F(ProfileTest, ReadCutsALongValueToTheBufferLessOne) {
    Spit(file, "[S]\nK=abcdefghij\n");
    EXPECT_EQ(Read("S", "K", "", 11), "abcdefghij");
    EXPECT_EQ(Read("S", "K", "", 10), "abcdefghi");
    EXPECT_EQ(Read("S", "K", "", 5), "abcd");
    EXPECT_EQ(Read("S", "K", "", 1), "");
    EXPECT_EQ(Read("S", "NONE", "0123456789", 4), "012");
    char b[4] = "xyz";
    EXPECT_EQ(ProfileReadString("S", "K", "", b, 0, file.c_str()), 0);
    EXPECT_STREQ(b, "xyz");  // a zero-sized buffer is left alone
}

TEST_F(ProfileTest, ReadMatchesNamesRegardlessOfCaseFirstMatchWins) {
    Spit(file,
         "[Config]\r\nWin_Pos_X_1920=10\r\nwin_pos_x_1920=20\r\n"
         "[CONFIG]\r\nTAG3=hidden\r\n[fonts]\r\nTag3=f\r\n");
    EXPECT_EQ(Read("CONFIG", "WIN_POS_X_1920"), "10");
    EXPECT_EQ(Read("config", "win_pos_x_1920"), "10");
    EXPECT_EQ(Read("CONFIG", "TAG3"), "<def>");  // only the first [CONFIG] counts
    EXPECT_EQ(Read("FONTS", "tag3"), "f");
}

TEST_F(ProfileTest, ReadCaseFoldingLeavesDoubleByteCharactersAlone) {
    // 83 61 and 83 41 are different katakana; their trail bytes look like 'a' and 'A'.
    Spit(file, "[S]\r\n\x83\x61=small\r\n");
    EXPECT_EQ(Read("S", "\x83\x61"), "small");
    EXPECT_EQ(Read("S", "\x83\x41"), "<def>");
}

TEST_F(ProfileTest, ReadAcceptsAnyLineEnd) {
    Spit(file, "[A]\nK=lf\n[B]\r\nK=crlf\r\n[C]\rK=cr\r[D]\n\rK=mixed");
    EXPECT_EQ(Read("A", "K"), "lf");
    EXPECT_EQ(Read("B", "K"), "crlf");
    EXPECT_EQ(Read("C", "K"), "cr");
    EXPECT_EQ(Read("D", "K"), "mixed");
}

TEST_F(ProfileTest, ReadIgnoresCommentsKeysBeforeTheFirstSectionAndLinesWithoutEquals) {
    Spit(file, "TOP=1\r\n; [S]\r\n[S]\r\n;K=comment\r\nK\r\nK=real\r\n  [ S2 ]  \r\nX=2\r\n");
    EXPECT_EQ(Read("S", "TOP"), "<def>");
    EXPECT_EQ(Read("S", "K"), "real");
    EXPECT_EQ(Read(" S2 ", "X"), "2");  // the name is what stands between the brackets
}

TEST_F(ProfileTest, ReadIntMimicsThePlatform) {
    Spit(file,
         "[N]\r\nA=-5\r\nB=12abc\r\nC=0x10\r\nD=abc\r\nE=\r\nF=  42  \r\nG=+7\r\nH=-32768\r\n"
         "I=4294967295\r\nJ=0b101\r\nK=0o17\r\nL=0x1G\r\nM=010\r\nO=-0x10\r\n");
    auto I = [&](const char* k) { return ProfileReadInt("N", k, 99, file.c_str()); };
    EXPECT_EQ(I("A"), -5);
    EXPECT_EQ(I("B"), 12);
    EXPECT_EQ(I("C"), 16);
    EXPECT_EQ(I("D"), 0);
    EXPECT_EQ(I("E"), 99);  // empty: default
    EXPECT_EQ(I("MISSING"), 99);
    EXPECT_EQ(I("F"), 42);
    EXPECT_EQ(I("G"), 7);
    EXPECT_EQ(I("H"), -32768);
    EXPECT_EQ(I("I"), -1);  // wraps at 32 bits
    EXPECT_EQ(I("J"), 5);
    EXPECT_EQ(I("K"), 15);
    EXPECT_EQ(I("L"), 1);
    EXPECT_EQ(I("M"), 10);
    EXPECT_EQ(I("O"), -16);
    EXPECT_EQ(ProfileReadInt("N", "A", 7, (dir + "/none.ini").c_str()), 7);
}

// ---- Writing --------------------------------------------------------------------------------

TEST_F(ProfileTest, WriteCreatesFileAndSectionsWithCrLf) {
    ASSERT_TRUE(Write("CONFIG", "A", "1"));
    ASSERT_TRUE(Write("CONFIG", "B", "  two  "));
    ASSERT_TRUE(Write("FONTS", "TITLE", "ＭＳ ゴシック,9"));
    EXPECT_EQ(Slurp(file), "[CONFIG]\r\nA=1\r\nB=two\r\n[FONTS]\r\nTITLE=ＭＳ ゴシック,9\r\n");
    EXPECT_EQ(Read("CONFIG", "B"), "two");
    EXPECT_EQ(Strays(), 0);
}

TEST_F(ProfileTest, WriteReplacesInPlaceAndKeepsUnknownLines) {
    Spit(file, "; top comment\n\n[Config]\nA = old\n\n; about B\nB=2\n\n; end of config\n[X]\nZ=9");
    ASSERT_TRUE(Write("CONFIG", "a", "new"));
    ASSERT_TRUE(Write("CONFIG", "C", "3"));
    ASSERT_TRUE(Write("X", "Y", "8"));
    EXPECT_EQ(Slurp(file),
              "; top comment\r\n\r\n[Config]\r\nA=new\r\n\r\n; about B\r\nB=2\r\nC=3\r\n\r\n"
              "; end of config\r\n[X]\r\nZ=9\r\nY=8\r\n");
}

TEST_F(ProfileTest, WriteOfNullValueDeletesTheKey) {
    ASSERT_TRUE(Write("S", "A", "1"));
    ASSERT_TRUE(Write("S", "B", "2"));
    ASSERT_TRUE(Write("s", "a", nullptr));
    EXPECT_EQ(Read("S", "A"), "<def>");
    EXPECT_EQ(Slurp(file), "[S]\r\nB=2\r\n");
    ASSERT_TRUE(Write("S", "NOPE", nullptr));
    ASSERT_TRUE(Write("NOSECTION", "NOPE", nullptr));
    EXPECT_EQ(Slurp(file), "[S]\r\nB=2\r\n");
    std::string other = dir + "/other.ini";
    ASSERT_TRUE(ProfileWriteString("S", "K", nullptr, other.c_str()));
    EXPECT_FALSE(std::ifstream(other).good());  // removing from nothing creates nothing
}

// Numbered sections and keys asked to keep number order: any order of writing gives the same
// file, a section emptied by removals goes, and what a hand put there is kept.
TEST_F(ProfileTest, NumberOrderGivesTheSameBytesWhateverOrderTheWritesCameIn) {
    auto put = [&](const std::string& path, const char* sec, const char* key, const char* value) {
        return ProfileEditString(sec, key, path.c_str(), [&](std::string_view, bool) {
            ProfileEdit e;
            e.change = true;
            e.remove = value == nullptr;
            e.value = value ? value : "";
            e.numberOrder = true;
            return e;
        }).ok();
    };
    std::string a = dir + "/a.ini", b = dir + "/b.ini";
    for (auto [sec, key] : {std::pair{"12", "10"}, {"1", "5"}, {"12", "2"}, {"3", "1"}, {"12", "31"}, {"12", "3"}})
        ASSERT_TRUE(put(a, sec, key, key));
    for (auto [sec, key] : {std::pair{"12", "31"}, {"12", "3"}, {"3", "1"}, {"1", "5"}, {"12", "2"}, {"12", "10"}})
        ASSERT_TRUE(put(b, sec, key, key));
    EXPECT_EQ(Slurp(a), "[1]\r\n5=5\r\n[3]\r\n1=1\r\n[12]\r\n2=2\r\n3=3\r\n10=10\r\n31=31\r\n");
    EXPECT_EQ(Slurp(b), Slurp(a));
    // A month whose last memo goes leaves no header behind; one with a comment keeps it.
    ASSERT_TRUE(put(a, "3", "1", nullptr));
    EXPECT_EQ(Slurp(a), "[1]\r\n5=5\r\n[12]\r\n2=2\r\n3=3\r\n10=10\r\n31=31\r\n");
    Spit(b, "[1]\r\n; mine\r\n5=5\r\n[X]\r\nK=v\r\n[12]\r\n20=x\r\n");
    ASSERT_TRUE(put(b, "1", "5", nullptr));
    ASSERT_TRUE(put(b, "12", "4", "y"));
    ASSERT_TRUE(put(b, "5", "1", "z"));
    EXPECT_EQ(Slurp(b), "[1]\r\n; mine\r\n[X]\r\nK=v\r\n[5]\r\n1=z\r\n[12]\r\n4=y\r\n20=x\r\n");
    // Without it a new key still goes behind the last one.
    ASSERT_TRUE(Write("12", "1", "w"));
    EXPECT_EQ(Slurp(file), "[12]\r\n1=w\r\n");
    ASSERT_TRUE(ProfileWriteString("1", "9", "v", b.c_str()));
    EXPECT_EQ(Slurp(b), "[1]\r\n9=v\r\n; mine\r\n[X]\r\nK=v\r\n[5]\r\n1=z\r\n[12]\r\n4=y\r\n20=x\r\n");
}

// Found by fuzzing: a key written twice by hand came back with its second value once deleted.
TEST_F(ProfileTest, DeletingAKeyTakesItsRepeatedLinesButNotThoseOfARepeatedSection) {
    Spit(file, "[S]\r\nK=1\r\nX=2\r\nk=3\r\n[T]\r\nK=4\r\n[s]\r\nK=5\r\n");
    ASSERT_TRUE(Write("S", "K", nullptr));
    EXPECT_EQ(Read("S", "K"), "<def>");
    EXPECT_EQ(Slurp(file), "[S]\r\nX=2\r\n[T]\r\nK=4\r\n[s]\r\nK=5\r\n");
    ProfileStoreReset();
    EXPECT_EQ(Read("S", "K"), "<def>");
    EXPECT_EQ(Read("T", "K"), "4");
}

TEST_F(ProfileTest, WriteThenReadGivesTheBytesBack) {
    const char* values[] = {"表示\x7F二行目", "\x80 leading kept", "a=b=c", ";not a comment",
                            "[not a section]", "\t", "\"quoted\"", "'q'", "\x81\x20", "\x81"};
    const char* expect[] = {"表示\x7F二行目", "\x80 leading kept", "a=b=c", ";not a comment",
                            "[not a section]", "", "\"quoted\"", "'q'", "\x81", "\x81"};
    for (size_t i = 0; i < std::size(values); ++i) {
        std::string key = "K" + std::to_string(i);
        ASSERT_TRUE(Write("MEMO", key.c_str(), values[i]));
        EXPECT_EQ(Read("MEMO", key.c_str()), expect[i]) << i;
    }
    ProfileStoreReset();  // and from the file itself
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(Read("MEMO", ("K" + std::to_string(i)).c_str()), expect[i]) << i;
}

TEST_F(ProfileTest, WriteRefusesWhatWouldBreakTheLines) {
    ASSERT_TRUE(Write("S", "K", "v"));
    std::string before = Slurp(file);
    EXPECT_FALSE(Write("S", "K", "two\r\nlines"));
    EXPECT_FALSE(Write("S", "K=", "v"));
    EXPECT_FALSE(Write("S]", "K", "v"));
    EXPECT_FALSE(Write("S", "", "v"));
    EXPECT_FALSE(Write("", "K", "v"));
    EXPECT_FALSE(Write("S", "[K", "v"));
    EXPECT_FALSE(Write(nullptr, "K", "v"));
    EXPECT_EQ(Slurp(file), before);
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    ASSERT_TRUE(Write("S", "K", "old"));
    std::string before = Slurp(file);
    // A folder where the temporary file must go makes the write fail before the replace.
    std::string tmp = file + "." + std::to_string(CurrentProcessId()) + ".tmp";
    ASSERT_EQ(mkdir(tmp.c_str(), 0700), 0);
    EXPECT_FALSE(Write("S", "K", "new"));
    EXPECT_EQ(Slurp(file), before);
    EXPECT_EQ(Read("S", "K"), "old");
    ASSERT_EQ(rmdir(tmp.c_str()), 0);
    EXPECT_EQ(Strays(), 0);
    // A folder that does not exist: nothing is created.
    std::string lost = dir + "/no/such/x.ini";
    EXPECT_FALSE(ProfileWriteString("S", "K", "v", lost.c_str()));
    EXPECT_EQ(Strays(), 0);
}

TEST_F(ProfileTest, TemporaryFileReplacesTheOldOneByRename) {
    ASSERT_TRUE(Write("S", "K", "old"));
    struct stat a, b;
    ASSERT_EQ(stat(file.c_str(), &a), 0);
    ASSERT_TRUE(Write("S", "K", "new"));
    ASSERT_EQ(stat(file.c_str(), &b), 0);
    EXPECT_NE(a.st_ino, b.st_ino);  // a new file took the name: the old one was never rewritten
    EXPECT_EQ(Strays(), 0);
}

// ---- Kept parse and revalidation ------------------------------------------------------------

TEST_F(ProfileTest, CacheUnchangedFileIsParsedOnce) {
    Spit(file, "[S]\r\nA=1\r\nB=2\r\n");
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Read("S", (i & 1) ? "A" : "B"), (i & 1) ? "1" : "2");
    EXPECT_EQ(ProfileStoreParseCount(), 1);
    // Our own write keeps the new content parsed: no second parse for reading it back.
    ASSERT_TRUE(Write("S", "A", "3"));
    EXPECT_EQ(Read("S", "A"), "3");
    EXPECT_EQ(ProfileStoreParseCount(), 1);
    ProfileStoreReset();
    EXPECT_EQ(ProfileStoreParseCount(), 0);
    EXPECT_EQ(Read("S", "A"), "3");
    EXPECT_EQ(ProfileStoreParseCount(), 1);
}

TEST_F(ProfileTest, CacheSeesAHandEditOnTheNextRead) {
    ASSERT_TRUE(Write("S", "A", "1"));
    EXPECT_EQ(Read("S", "A"), "1");
    Spit(file, "[S]\r\nA=22\r\n");  // another size
    EXPECT_EQ(Read("S", "A"), "22");
    // Same size, only the time differs.
    Spit(file, "[S]\r\nA=33\r\n");
    struct timespec t[2] = {{0, UTIME_OMIT}, {1234567890, 123456789}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), t, 0), 0);
    EXPECT_EQ(Read("S", "A"), "33");
    std::remove(file.c_str());
    EXPECT_EQ(Read("S", "A"), "<def>");
    EXPECT_EQ(ProfileStoreParseCount(), 2);
}

TEST_F(ProfileTest, CacheHandEditSurvivesTheNextWriteOfAnotherKey) {
    ASSERT_TRUE(Write("S", "A", "1"));
    ASSERT_TRUE(Write("S", "B", "2"));
    EXPECT_EQ(Read("S", "A"), "1");
    Spit(file, "[S]\r\nA=9\r\nB=2\r\n[HAND]\r\nH=x\r\n");
    ASSERT_TRUE(Write("S", "B", "3"));
    EXPECT_EQ(Read("S", "A"), "9");
    EXPECT_EQ(Read("HAND", "H"), "x");
    EXPECT_EQ(Slurp(file), "[S]\r\nA=9\r\nB=3\r\n[HAND]\r\nH=x\r\n");
}

TEST_F(ProfileTest, CacheHandEditThatKeepsSizeAndTimeSurvivesAWrite) {
    ASSERT_TRUE(Write("S", "A", "1"));
    ASSERT_TRUE(Write("S", "B", "2"));
    EXPECT_EQ(Read("S", "A"), "1");
    struct stat st;
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    Spit(file, "[S]\r\nA=7\r\nB=2\r\n");
    struct timespec t[2] = {{0, UTIME_OMIT}, st.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), t, 0), 0);  // stamp looks unchanged
    ASSERT_TRUE(Write("S", "B", "3"));
    EXPECT_EQ(Slurp(file), "[S]\r\nA=7\r\nB=3\r\n");
}

TEST_F(ProfileTest, CacheKeepsFilesApart) {
    std::string other = dir + "/other.ini";
    ASSERT_TRUE(Write("S", "K", "one"));
    ASSERT_TRUE(ProfileWriteString("S", "K", "two", other.c_str()));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Read("S", "K"), "one");
        char b[16];
        ProfileReadString("S", "K", "", b, sizeof b, other.c_str());
        EXPECT_STREQ(b, "two");
    }
    EXPECT_EQ(ProfileStoreParseCount(), 0);
}

TEST_F(ProfileTest, CacheIsSharedSafelyBetweenThreads) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < 50; ++i) {
                std::string key = "T" + std::to_string(t) + "_" + std::to_string(i);
                EXPECT_TRUE(ProfileWriteString("S", key.c_str(), key.c_str(), file.c_str()));
                char b[32];
                ProfileReadString("S", key.c_str(), "", b, sizeof b, file.c_str());
                if (key != b) ADD_FAILURE() << key << " read back as " << b;
            }
        });
    }
    for (auto& th : threads) th.join();
    ProfileStoreReset();
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 50; ++i) {
            std::string key = "T" + std::to_string(t) + "_" + std::to_string(i);
            EXPECT_EQ(Read("S", key.c_str()), key);
        }
}

// ---- Damaged files --------------------------------------------------------------------------

class ProfileDamaged : public ProfileTest {
protected:
    // The readable part every damaged file carries, and a write after reading it.
    void ExpectReadableAndWritable(const std::string& damaged) {
        Spit(file, damaged);
        EXPECT_EQ(Read("GOOD", "A"), "alpha");
        EXPECT_EQ(Read("GOOD", "B"), "日付");
        ASSERT_TRUE(Write("GOOD", "C", "new"));
        ProfileStoreReset();
        EXPECT_EQ(Read("GOOD", "A"), "alpha");
        EXPECT_EQ(Read("GOOD", "B"), "日付");
        EXPECT_EQ(Read("GOOD", "C"), "new");
    }
};

TEST_F(ProfileDamaged, BinaryGarbage) {
    std::mt19937 rng(7);
    std::string junk;
    for (int i = 0; i < 200000; ++i) junk.push_back(static_cast<char>(rng()));
    ExpectReadableAndWritable(junk + "\n[GOOD]\nA=alpha\nB=日付\n" + junk);
}

TEST_F(ProfileDamaged, NulBytes) {
    std::string s = "[GOOD]\r\nA=alpha\r\nX=be";
    s.push_back('\0');
    s += "fore\r\nB=日付\r\n";
    s.push_back('\0');
    s += "[GOOD2]\r\n";
    ExpectReadableAndWritable(s);
    EXPECT_EQ(Read("GOOD", "X"), "be");  // a value ends at a NUL byte
    EXPECT_NE(Slurp(file).find(std::string("X=be\0fore", 9)), std::string::npos);  // bytes kept
}

TEST_F(ProfileDamaged, MegabyteLine) {
    std::string huge(1 << 20, 'z');
    ExpectReadableAndWritable("[GOOD]\r\nA=alpha\r\nHUGE=" + huge + "\r\n" + huge + "\r\nB=日付\r\n");
    EXPECT_EQ(Read("GOOD", "HUGE", "", 1 << 21).size(), huge.size());
}

TEST_F(ProfileDamaged, NoFinalLineBreak) {
    ExpectReadableAndWritable("[GOOD]\r\nA=alpha\r\nB=日付");
    EXPECT_EQ(Slurp(file), "[GOOD]\r\nA=alpha\r\nB=日付\r\nC=new\r\n");
}

TEST_F(ProfileDamaged, CarriageReturnsOnly) {
    ExpectReadableAndWritable("[OTHER]\rZ=1\r[GOOD]\rA=alpha\rB=日付\r");
    EXPECT_EQ(Slurp(file), "[OTHER]\r\nZ=1\r\n[GOOD]\r\nA=alpha\r\nB=日付\r\nC=new\r\n");
}

TEST_F(ProfileDamaged, ByteOrderMarkIsSkipped) {
    ExpectReadableAndWritable("\xEF\xBB\xBF[GOOD]\r\nA=alpha\r\nB=日付\r\n");
    // Rewritten without the mark: the values are code page 932, not UTF-8.
    EXPECT_EQ(Slurp(file).substr(0, 6), "[GOOD]");
}

// ---- Interrupted writes ---------------------------------------------------------------------

TEST_F(ProfileTest, AtomicWriteKilledAtRandomMomentsLeavesOldOrNew) {
    // A file large enough that writing it takes a while.
    std::string body = "[MEMO]\r\n";
    for (int i = 0; i < 3000; ++i) body += "K" + std::to_string(i) + "=日付メモの本文です\x7F二行目\r\n";
    body += "[CONFIG]\r\nVALUE=v0\r\n";
    Spit(file, body);

    auto childWrite = [&](const char* value) {
        pid_t pid = fork();
        if (pid == 0) {
            ProfileStoreReset();
            _exit(ProfileWriteString("CONFIG", "VALUE", value, file.c_str()) ? 0 : 1);
        }
        return pid;
    };
    // How long an undisturbed write takes, to spread the kills over it.
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    pid_t p = childWrite("calibrate");
    int status = 0;
    waitpid(p, &status, 0);
    clock_gettime(CLOCK_MONOTONIC, &t1);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    long span = (t1.tv_sec - t0.tv_sec) * 1000000L + (t1.tv_nsec - t0.tv_nsec) / 1000;
    if (span < 200) span = 200;

    std::mt19937 rng(12345);
    int sawOld = 0, sawNew = 0;
    std::string old = "calibrate";
    for (int round = 0; round < 200; ++round) {
        std::string next = "v" + std::to_string(round + 1);
        pid_t pid = childWrite(next.c_str());
        usleep(static_cast<useconds_t>(rng() % static_cast<unsigned>(span * 3 / 2)));
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);

        ProfileStoreReset();
        std::string got = Read("CONFIG", "VALUE");
        ASSERT_TRUE(got == old || got == next) << "round " << round << ": " << got;
        ASSERT_EQ(Read("MEMO", "K0"), "日付メモの本文です\x7F二行目");
        ASSERT_EQ(Read("MEMO", "K2999"), "日付メモの本文です\x7F二行目");
        ASSERT_EQ(Slurp(file).size(), body.size() - 2 + got.size()) << "round " << round;
        (got == old ? sawOld : sawNew)++;
        old = got;
        // A killed writer may leave its temporary file; the next writer with that id reuses it.
        std::string cmd = "rm -f '" + file + "'.*.tmp";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    std::printf("killed writers: %d left the old value, %d the new one (write takes ~%ld us)\n",
                sawOld, sawNew, span);
    // Both outcomes occurred: the kills really fell before and after the replace.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

TEST_F(ProfileTest, ReadBatchLooksAtEachFileOnce) {
    std::string path = file, missing = dir + "/missing.ini";
    Spit(path, "[S]\r\nK=one\r\n");
    ProfileStoreReset();
    char buf[64];
    {
        ProfileReadBatch batch;
        ProfileReadString("S", "K", "", buf, sizeof buf, path.c_str());
        EXPECT_STREQ(buf, "one");
        // Replaced behind the store's back: inside the batch the first look still counts ...
        Spit(path, "[S]\r\nK=two, longer\r\n");
        ProfileReadString("S", "K", "", buf, sizeof buf, path.c_str());
        EXPECT_STREQ(buf, "one");
        ProfileReadString("S", "K", "none", buf, sizeof buf, missing.c_str());
        Spit(missing, "[S]\r\nK=now here\r\n");
        ProfileReadString("S", "K", "none", buf, sizeof buf, missing.c_str());
        EXPECT_STREQ(buf, "none");
        // ... but the batch's own writes are seen at once.
        ASSERT_TRUE(ProfileWriteString("S", "W", "written", missing.c_str()));
        ProfileReadString("S", "W", "", buf, sizeof buf, missing.c_str());
        EXPECT_STREQ(buf, "written");
        {
            ProfileReadBatch nested;
        }
        ProfileReadString("S", "K", "", buf, sizeof buf, path.c_str());
        EXPECT_STREQ(buf, "one");  // the inner batch's end does not end the outer one
    }
    // After the batch every read compares the stamp again.
    ProfileReadString("S", "K", "", buf, sizeof buf, path.c_str());
    EXPECT_STREQ(buf, "two, longer");
    ProfileReadString("S", "K", "", buf, sizeof buf, missing.c_str());
    EXPECT_STREQ(buf, "now here");
}

TEST_F(ProfileTest, WriteBatchReplacesEachFileOnceAtItsEnd) {
    ASSERT_TRUE(Write("S", "K", "old"));
    std::string before = Slurp(file), other = dir + "/other.ini";
    int replaced = ProfileStoreReplaceCount();
    struct stat st0 {};
    ASSERT_EQ(stat(file.c_str(), &st0), 0);
    {
        ProfileWriteBatch batch;
        EXPECT_TRUE(Write("S", "K", "new"));
        EXPECT_TRUE(Write("S", "K2", "two"));
        EXPECT_TRUE(ProfileWriteString("S", "K", "elsewhere", other.c_str()));
        EXPECT_TRUE(Write("S", "K2", nullptr));
        // Reads see the batch's writes; the disk does not yet.
        EXPECT_EQ(Read("S", "K"), "new");
        EXPECT_EQ(Read("S", "K2"), "<def>");
        EXPECT_EQ(Slurp(file), before);
        EXPECT_NE(access(other.c_str(), F_OK), 0);
        {
            ProfileWriteBatch nested;
            EXPECT_TRUE(Write("S", "K3", "three"));
            EXPECT_TRUE(nested.End());
        }
        EXPECT_EQ(Slurp(file), before);  // the inner end leaves the writing to the outer one
        EXPECT_TRUE(batch.End());
    }
    EXPECT_EQ(Slurp(file), "[S]\r\nK=new\r\nK3=three\r\n");
    EXPECT_EQ(Slurp(other), "[S]\r\nK=elsewhere\r\n");
    EXPECT_EQ(ProfileStoreReplaceCount(), replaced + 2);  // once per file
    struct stat st1 {};
    ASSERT_EQ(stat(file.c_str(), &st1), 0);
    EXPECT_NE(st0.st_ino, st1.st_ino);  // replaced, through one temporary file
    EXPECT_EQ(Strays(), 1);             // other.ini

    // A batch whose file cannot be replaced says so at its end and leaves the old text.
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    ProfileWriteBatch failing;
    EXPECT_TRUE(Write("S", "K", "lost?"));
    WriteResult r = failing.End();
    ASSERT_EQ(chmod(file.c_str(), 0644), 0);
    EXPECT_EQ(r.error, WriteError::kFileReadOnly);
    EXPECT_EQ(Read("S", "K"), "new");
    EXPECT_EQ(ProfileTakeWriteFailures().size(), 1u);
}

// ---- Writers in other processes, and failed writes ----------------------------------------

TEST_F(ProfileTest, TwoProcessesWritingAtOnceLoseNothing) {
    ASSERT_TRUE(Write("S", "FIRST", "kept"));
    constexpr int kKeys = 300;
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        if (children[c] == 0) {
            ProfileStoreReset();
            char byte;
            if (read(go[0], &byte, 1) != 1) _exit(3);  // both start together
            for (int i = 0; i < kKeys; ++i) {
                std::string key = "P" + std::to_string(c) + "_" + std::to_string(i);
                if (!ProfileWriteString("S", key.c_str(), key.c_str(), file.c_str())) _exit(1);
            }
            _exit(0);
        }
    }
    ASSERT_EQ(write(go[1], "gg", 2), 2);
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    close(go[0]);
    close(go[1]);
    ProfileStoreReset();
    int lost = 0;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kKeys; ++i) {
            std::string key = "P" + std::to_string(c) + "_" + std::to_string(i);
            if (Read("S", key.c_str()) != key) ++lost;
        }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(Read("S", "FIRST"), "kept");
    EXPECT_EQ(Strays(), 0);
}

int g_listened = 0;
void Listen() { ++g_listened; }

TEST_F(ProfileTest, FailedWritesSayWhyAndAreListedOncePerFile) {
    ASSERT_TRUE(Write("S", "K", "old"));
    std::string before = Slurp(file);
    g_listened = 0;
    ProfileSetWriteFailureListener(Listen);

    // A file nobody may write to is not replaced, even where the system would allow it.
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    WriteResult r = ProfileWriteString("S", "K", "new", file.c_str());
    EXPECT_EQ(r.error, WriteError::kFileReadOnly);
    EXPECT_FALSE(ProfileWriteString("S", "K2", "more", file.c_str()));
    EXPECT_EQ(Slurp(file), before);
    EXPECT_EQ(g_listened, 1);
    std::vector<WriteFailure> failures = ProfileTakeWriteFailures();
    ASSERT_EQ(failures.size(), 1u);  // once per file, not once per write
    EXPECT_EQ(failures[0].path, file);
    EXPECT_EQ(failures[0].result.error, WriteError::kFileReadOnly);
    EXPECT_TRUE(ProfileTakeWriteFailures().empty());

    // Writable again: the write goes through, and a later failure is told again.
    ASSERT_EQ(chmod(file.c_str(), 0644), 0);
    EXPECT_TRUE(Write("S", "K", "new"));
    EXPECT_EQ(Read("S", "K"), "new");
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    r = ProfileWriteString("S", "K", "newer", file.c_str());
    EXPECT_EQ(r.error, WriteError::kFolderReadOnly);
    std::string other = dir + "/other.ini";
    EXPECT_EQ(ProfileWriteString("S", "K", "v", other.c_str()).error, WriteError::kFolderReadOnly);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    EXPECT_NE(access(other.c_str(), F_OK), 0);
    EXPECT_EQ(Read("S", "K"), "new");
    EXPECT_EQ(ProfileWriteString("S", "K", "v", (dir + "/no/such.ini").c_str()).error, WriteError::kFolderMissing);
    failures = ProfileTakeWriteFailures();
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0].path, file);
    EXPECT_EQ(failures[1].path, other);
    EXPECT_EQ(g_listened, 4);
    ProfileSetWriteFailureListener(nullptr);
    EXPECT_EQ(Strays(), 0);
}

}  // namespace
