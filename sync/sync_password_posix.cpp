// The companion's password file: beside the configuration, "<configuration>_caldav.pw", one line
// "URL TAB USER TAB PASSWORD", readable and writable by its owner alone.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "sync/sync_password.h"

namespace {
std::string PasswordPath(const char* configPath) {
    std::string p = configPath;
    if (p.size() > 4 && p.compare(p.size() - 4, 4, ".ini") == 0) p.resize(p.size() - 4);
    return p + "_caldav.pw";
}

std::string SystemText() { return std::strerror(errno); }
}  // namespace

bool KeepSyncPassword(const char* configPath, const std::string& url, const std::string& user,
                      const std::string& password, std::string* why) {
    if (url.find_first_of("\t\r\n") != std::string::npos || user.find_first_of("\t\r\n") != std::string::npos ||
        password.find_first_of("\r\n") != std::string::npos) {
        *why = "URL、ユーザー名、パスワードに改行やタブは使えません";
        return false;
    }
    std::string path = PasswordPath(configPath), temp = path + "." + std::to_string(getpid()) + ".tmp";
    // Made owner-only from its first byte, then put in place in one step.
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *why = "パスワードのファイルを作れません: " + SystemText();
        return false;
    }
    std::string text = url + "\t" + user + "\t" + password + "\n";
    bool ok = fchmod(fd, 0600) == 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
              fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        *why = "パスワードのファイルに書き込めません: " + SystemText();
        unlink(temp.c_str());
        return false;
    }
    return true;
}

KeptPassword ReadSyncPassword(const char* configPath, const std::string& url, const std::string& user) {
    KeptPassword out;
    std::string path = PasswordPath(configPath);
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0) {
        out.status = errno == ENOENT ? PasswordRead::kMissing : PasswordRead::kFailed;
        out.why = errno == ENOENT ? "パスワードがありません。sync setup で設定してください"
                                  : "パスワードのファイルを読めません: " + SystemText();
        return out;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || (st.st_mode & 077) != 0 || st.st_uid != geteuid()) {
        close(fd);
        out.status = PasswordRead::kExposed;
        out.why = "パスワードのファイルをほかの人も読めるので使いません (chmod 600 にするか、sync setup をやり直してください)";
        return out;
    }
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0 && text.size() < 65536) text.append(buf, static_cast<size_t>(n));
    close(fd);
    std::string want = url + "\t" + user + "\t";
    if (text.compare(0, want.size(), want) != 0) {
        out.status = PasswordRead::kMissing;
        out.why = "この URL とユーザーのパスワードがありません。sync setup で設定してください";
        return out;
    }
    out.password = text.substr(want.size());
    while (!out.password.empty() && (out.password.back() == '\n' || out.password.back() == '\r')) out.password.pop_back();
    out.status = PasswordRead::kFound;
    return out;
}

bool ForgetSyncPassword(const char* configPath, const std::string& url, const std::string& user) {
    KeptPassword kept = ReadSyncPassword(configPath, url, user);
    if (kept.status == PasswordRead::kMissing) return true;
    return unlink(PasswordPath(configPath).c_str()) == 0;
}
