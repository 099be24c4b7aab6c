// The calendar account's password in the user's credential store (Credential Manager): a generic
// credential named for the URL and user, kept on this machine only, the password as UTF-16 so
// that the system's own credential dialog shows it as the user typed it.
#include <windows.h>
#include <wincred.h>

#include <optional>

#include "sync/sync_password.h"
#include "base/win/wide_text.h"

namespace {
// The system's words for the last error, in code page 932, after what failed.
std::string FailureLine(const char* what, DWORD error) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = n ? NarrowOf(932, std::wstring_view(text, n)) : std::string();
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    return std::string(what) + ": " + (reason.empty() ? "エラー" : reason) + " (" + std::to_string(error) + ")";
}

// The credential's name: one per calendar and user.
std::optional<std::wstring> TargetName(const std::string& url, const std::string& user) {
    std::optional<std::wstring> u = WideOf(CP_UTF8, url), n = WideOf(CP_UTF8, user);
    if (!u || !n) return std::nullopt;
    return L"Tessel CalDAV " + *u + L" " + *n;
}

struct CredentialOwner {
    PCREDENTIALW p = nullptr;
    CredentialOwner() = default;
    CredentialOwner(const CredentialOwner&) = delete;
    CredentialOwner& operator=(const CredentialOwner&) = delete;
    ~CredentialOwner() {
        if (p) CredFree(p);
    }
};
}  // namespace

bool KeepSyncPassword(const char*, const std::string& url, const std::string& user, const std::string& password,
                      std::string* why) {
    std::optional<std::wstring> target = TargetName(url, user), name = WideOf(CP_UTF8, user);
    std::optional<std::wstring> secret = WideOf(CP_UTF8, password);
    if (!target || !name || !secret) {
        *why = "URL、ユーザー名またはパスワードの文字を読めません";
        return false;
    }
    if (secret->size() * sizeof(wchar_t) > CRED_MAX_CREDENTIAL_BLOB_SIZE) {
        *why = "パスワードが長すぎます (" + std::to_string(CRED_MAX_CREDENTIAL_BLOB_SIZE / sizeof(wchar_t)) + " 文字まで)";
        return false;
    }
    CREDENTIALW credential = {};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = target->data();
    credential.UserName = name->data();
    credential.CredentialBlobSize = static_cast<DWORD>(secret->size() * sizeof(wchar_t));
    credential.CredentialBlob = reinterpret_cast<BYTE*>(secret->data());
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    bool kept = CredWriteW(&credential, 0) != 0;
    if (!kept) *why = FailureLine("資格情報マネージャーにパスワードを保存できません", GetLastError());
    SecureZeroMemory(secret->data(), secret->size() * sizeof(wchar_t));
    return kept;
}

KeptPassword ReadSyncPassword(const char*, const std::string& url, const std::string& user) {
    KeptPassword kept;
    std::optional<std::wstring> target = TargetName(url, user);
    if (!target) {
        kept.status = PasswordRead::kFailed;
        kept.why = "URL またはユーザー名の文字を読めません";
        return kept;
    }
    CredentialOwner credential;
    if (!CredReadW(target->c_str(), CRED_TYPE_GENERIC, 0, &credential.p)) {
        DWORD error = GetLastError();
        kept.status = error == ERROR_NOT_FOUND ? PasswordRead::kMissing : PasswordRead::kFailed;
        kept.why = error == ERROR_NOT_FOUND ? "パスワードが保存されていません。desk-calendar-cli sync setup で設定してください"
                                            : FailureLine("資格情報マネージャーからパスワードを読めません", error);
        return kept;
    }
    const auto* blob = reinterpret_cast<const wchar_t*>(credential.p->CredentialBlob);
    kept.status = PasswordRead::kFound;
    kept.password = NarrowOf(CP_UTF8, std::wstring_view(blob, credential.p->CredentialBlobSize / sizeof(wchar_t)));
    SecureZeroMemory(credential.p->CredentialBlob, credential.p->CredentialBlobSize);
    return kept;
}

bool ForgetSyncPassword(const char*, const std::string& url, const std::string& user) {
    std::optional<std::wstring> target = TargetName(url, user);
    if (!target) return false;
    return CredDeleteW(target->c_str(), CRED_TYPE_GENERIC, 0) != 0 || GetLastError() == ERROR_NOT_FOUND;
}
