// The account's password in the user's credential store, through the real Credential Manager
// functions: kept, read back, replaced, kept apart per URL and user, forgotten.
#include <windows.h>
#include <wincred.h>

#include <gtest/gtest.h>

#include <string>

#include "sync/sync_password.h"

namespace {
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const char kUrl[] = "https://cal.example.net/dav/calendars/taro/home/";
const char kOtherUrl[] = "https://cal.example.net/dav/calendars/taro/work/";

struct Forget {
    ~Forget() {
        ForgetSyncPassword("tessel.ini", kUrl, "taro");
        ForgetSyncPassword("tessel.ini", kUrl, "hanako");
        ForgetSyncPassword("tessel.ini", kOtherUrl, "taro");
    }
};
}  // namespace

TEST(CredentialManagerPassword, KeptReadBackReplacedAndForgotten) {
    Forget forget;
    std::string password = U8(u8"秘密のpass:語 ～");
    std::string why;
    ASSERT_TRUE(KeepSyncPassword("tessel.ini", kUrl, "taro", password, &why)) << why;
    KeptPassword kept = ReadSyncPassword("tessel.ini", kUrl, "taro");
    ASSERT_EQ(kept.status, PasswordRead::kFound) << kept.why;
    EXPECT_EQ(kept.password, password);

    // The store holds it as a generic credential with the user's name: what the system's own
    // credential list shows.
    PCREDENTIALW raw = nullptr;
    ASSERT_TRUE(CredReadW((L"Tessel CalDAV " + std::wstring(kUrl, kUrl + sizeof kUrl - 1) + L" taro").c_str(),
                          CRED_TYPE_GENERIC, 0, &raw));
    EXPECT_STREQ(raw->UserName, L"taro");
    EXPECT_EQ(raw->Persist, static_cast<DWORD>(CRED_PERSIST_LOCAL_MACHINE));
    CredFree(raw);

    ASSERT_TRUE(KeepSyncPassword("tessel.ini", kUrl, "taro", "second", &why)) << why;
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kUrl, "taro").password, "second");

    EXPECT_TRUE(ForgetSyncPassword("tessel.ini", kUrl, "taro"));
    kept = ReadSyncPassword("tessel.ini", kUrl, "taro");
    EXPECT_EQ(kept.status, PasswordRead::kMissing);
    EXPECT_TRUE(kept.password.empty());
    EXPECT_FALSE(kept.why.empty());
    EXPECT_TRUE(ForgetSyncPassword("tessel.ini", kUrl, "taro"));  // nothing left to forget is no failure
}

TEST(CredentialManagerPassword, EachCalendarAndUserHasItsOwn) {
    Forget forget;
    std::string why;
    ASSERT_TRUE(KeepSyncPassword("tessel.ini", kUrl, "taro", "one", &why)) << why;
    ASSERT_TRUE(KeepSyncPassword("tessel.ini", kUrl, "hanako", "two", &why)) << why;
    ASSERT_TRUE(KeepSyncPassword("tessel.ini", kOtherUrl, "taro", "three", &why)) << why;
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kUrl, "taro").password, "one");
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kUrl, "hanako").password, "two");
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kOtherUrl, "taro").password, "three");
    ForgetSyncPassword("tessel.ini", kUrl, "hanako");
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kUrl, "hanako").status, PasswordRead::kMissing);
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kUrl, "taro").password, "one");
}

TEST(CredentialManagerPassword, APasswordTooLongForTheStoreIsRefusedWithAReason) {
    Forget forget;
    std::string why;
    EXPECT_FALSE(KeepSyncPassword("tessel.ini", kUrl, "taro", std::string(300, 'x'), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(ReadSyncPassword("tessel.ini", kUrl, "taro").status, PasswordRead::kMissing);
}
