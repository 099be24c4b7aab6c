// The real calendar program beside the test program, started with a configuration of its own
// and closed again: what the Windows tests of the shell drive from outside.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/win/wide_text.h"

#if TESSEL_CLASSIC
inline constexpr char kProgram[] = "desk-calendar-classic.exe";
#else
inline constexpr char kProgram[] = "desk-calendar.exe";
#endif

// In code page 932 as every path inside; Wide() hands it to the system.
inline std::string ProgramBesideUs() {
    std::string path = ProgramFilePath();
    return path.substr(0, path.find_last_of('\\') + 1) + kProgram;
}

inline std::string SystemTempPath() {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    return Sjis(temp);
}

// A folder of its own with a configuration file holding the given CONFIG lines.
inline std::string WriteConfig(const char* name, const char* lines) {
    std::string dir = SystemTempPath() + "tessel_window_" + std::to_string(GetCurrentProcessId()) + "_" + name;
    CreateDirectoryW(Wide(dir).c_str(), nullptr);
    std::string config = dir + "\\my.ini";
    FILE* f = OpenFile(config.c_str(), "wb");
    if (f) {
        std::fprintf(f, "[CONFIG]\r\n%s", lines);
        std::fclose(f);
    }
    return config;
}

inline std::string ScreenKey(const char* form, bool width) {
    RECT screen;
    GetClientRect(GetDesktopWindow(), &screen);
    char key[32];
    std::snprintf(key, sizeof key, form, static_cast<int>(width ? screen.right : screen.bottom));
    return key;
}

// Waits until the calendar has written key = want into config; answers the last value read.
inline int WaitForValue(const std::string& config, const std::string& key, int want) {
    int value = 0;
    for (int i = 0; i < 100; ++i) {
        value = static_cast<int>(GetPrivateProfileIntW(L"CONFIG", Wide(key).c_str(), -99999, Wide(config).c_str()));
        if (value == want) break;
        Sleep(50);
    }
    return value;
}

inline bool Exists(const std::string& path) { return FileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline HWND WaitForCalendar(DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND w = FindWindowW(L"Tessel", nullptr)) return w;
        Sleep(50);
    }
    return nullptr;
}

class RunningCalendar {
  public:
    // show: the show command handed to the program's entry.
    explicit RunningCalendar(const std::string& config, WORD show = SW_SHOWNORMAL) {
        // CreateProcessW may write into the command line: it is a buffer of our own.
        std::wstring command = L"\"" + Wide(ProgramBesideUs()) + L"\" " + Wide(config);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = show;
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        if (!started_) return;
        WaitForInputIdle(pi_.hProcess, 15000);
        window_ = WaitForCalendar(15000);
        Sleep(100);  // let the start-up run on to its message loop
    }
    ~RunningCalendar() {
        if (!started_) return;
        if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    HWND window() const { return window_; }
    // Closes the window and answers the program's exit code (-1 when it did not end).
    int Close() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        DWORD code = 0;
        if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<int>(code);
    }

  private:
    bool started_ = false;
    PROCESS_INFORMATION pi_ = {};
    HWND window_ = nullptr;
};

