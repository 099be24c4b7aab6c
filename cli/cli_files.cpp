#include "cli/cli_files.h"

#include <cstdio>
#include <cstring>

#include "cli/program_path.h"
#include "config/file_ops.h"
#include "sync/text_convert.h"
#include "config/edition.h"
#include "config/file_names.h"
#include "config/profile_access.h"
#include "memo/memo_store.h"

namespace {
// The programs' file names, as the build names them.
const char* ProgramName(bool classic) { return classic ? "desk-calendar-classic.exe" : "desk-calendar.exe"; }

// A file name of the platform's encoding from what the user typed; false (with the message) when
// it cannot be one.
bool TypedPath(const char* utf8, std::string* out, std::string* message, std::string* detail) {
    std::optional<std::string> name = Utf8ToFileName(utf8);
    if (!name) {
        *message = "パスに Shift-JIS で表せない文字があります";
        *detail = NameOfFirstUnencodable(utf8);
        return false;
    }
    *out = std::move(*name);
    if (out->empty() || out->size() >= sizeof g_files.configPath - 32) {
        *message = out->empty() ? "パスが空です" : "パスが長すぎます";
        *detail = utf8;
        return false;
    }
    return true;
}
}  // namespace

std::string PathForUser(const char* fileName) {
    return FileNameToUtf8(fileName).value_or(fileName);
}

bool ChooseFiles(const FileChoice& choice, std::string* message, std::string* detail) {
    char sep = PathSeparator();
    Edition edition = choice.classic ? kClassicEdition : kLayeredEdition;
    SetEdition(edition);  // the design values the edition keeps
    if (choice.config) {
        std::string path;
        if (!TypedPath(choice.config, &path, message, detail)) return false;
        char dir[272];
        DirectoryOf(path.c_str(), sep, dir, sizeof dir);
        if (dir[0] && KindOfPath(dir) != kPathDirectory) {
            *message = "設定ファイルのフォルダーがありません";
            *detail = choice.config;
            return false;
        }
        PathKind kind = KindOfPath(path.c_str());
        if (kind != kPathFile && kind != kPathMissing) {
            *message = "設定ファイルではありません";
            *detail = choice.config;
            return false;
        }
        FormDataFileNames(edition, path.c_str(), "", sep, &g_files);
        SetMemoFiles(g_files);
    } else {
        std::string folder;
        if (choice.dir) {
            if (!TypedPath(choice.dir, &folder, message, detail)) return false;
            while (folder.size() > 1 && (folder.back() == sep || folder.back() == '/')) folder.pop_back();
            if (KindOfPath(folder.c_str()) != kPathDirectory) {
                *message = "フォルダーがありません";
                *detail = choice.dir;
                return false;
            }
        } else {
            char self[260];
            if (!GetProgramPath(self, sizeof self)) {
                *message = "このプログラムのフォルダーがわかりません";
                return false;
            }
            char dir[260];
            DirectoryOf(self, sep, dir, sizeof dir);
            folder = dir;
        }
        std::string program = folder + sep + ProgramName(choice.classic);
        FormDataFileNames(edition, "", program.c_str(), sep, &g_files);
        SetMemoFiles(g_files);
    }
    SetConfigPath(g_files.configPath);
    return true;
}

bool ConfigurationExists() {
    if (KindOfPath(g_files.configPath) != kPathFile) return false;
    FILE* f = OpenFileNamed(g_files.configPath, "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}
