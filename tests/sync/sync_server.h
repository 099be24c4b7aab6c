// The real CalDAV server of the sync tests (tests/sync/radicale.sh: Debian's Radicale on a free
// loopback port with its own password file) and the independent client that plays the other side
// (tests/sync/caldav_peer.py: python3-caldav).
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/config/config_test_files.h"

inline const char kSyncUser[] = "tessel";
inline const char kSyncPassword[] = "secret-pw";

inline std::string RunCommand(const std::string& cmd, int* rc = nullptr) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int status = pclose(p);
    if (rc) *rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

class RadicaleServer {
  public:
    RadicaleServer() { Start(); }
    ~RadicaleServer() { Stop(); }
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    // Starts it (again, on the same storage and a new port when it was stopped).
    bool Start() {
        int rc = 0;
        std::string url = RunCommand("bash " TESSEL_SOURCE_DIR "/tests/sync/radicale.sh start '" + dir_.Path() + "'", &rc);
        while (!url.empty() && url.back() == '\n') url.pop_back();
        base_ = rc == 0 ? url.substr(0, url.find("/tessel/")) : "";
        return rc == 0;
    }
    // Frozen (SIGSTOP): connections are still taken, nothing answers; and thawed again.
    void Freeze(bool frozen) {
        RunCommand(std::string("kill -") + (frozen ? "STOP" : "CONT") + " $(cat '" + dir_.Path() + "/pid')");
    }
    void Stop() { RunCommand("bash " TESSEL_SOURCE_DIR "/tests/sync/radicale.sh stop '" + dir_.Path() + "'"); }
    bool running() const { return !base_.empty(); }

    // A new, empty calendar collection of user tessel; its URL ends in "/".
    std::string NewCalendar(const std::string& name) {
        std::string url = base_ + "/tessel/" + name + "/";
        RunCommand("curl -s -o /dev/null -u tessel:secret-pw -X MKCALENDAR '" + url + "'");
        return url;
    }
    // The events stored in a collection, as files of the server's storage.
    int StoredEvents(const std::string& name) const {
        return std::atoi(RunCommand("ls '" + dir_.Path() + "/storage/collection-root/tessel/" + name +
                                    "/' 2>/dev/null | grep -c '\\.ics$'").c_str());
    }
    const std::string& Base() const { return base_; }
    std::string Log() const { return ReadWhole(dir_.File("log")); }

  private:
    TempFolder dir_;
    std::string base_;
};

// The independent client: "add", "summary", "move", "delete", "list" (see caldav_peer.py).
inline std::string Peer(const std::string& url, const std::string& args, int* rc = nullptr) {
    return RunCommand("/usr/bin/python3 " TESSEL_SOURCE_DIR "/tests/sync/caldav_peer.py '" + url + "' tessel secret-pw " +
                          args + " 2>&1",
                      rc);
}
