// desk-calendar-cli: reads the calendar's files from the command line.
//   desk-calendar-cli [--dir FOLDER | --config PATH] [--classic] COMMAND ...   (--help tells more)
// Arguments and output are UTF-8; inside, texts are code page 932 as in the program, and paths
// are in the platform's file-name encoding.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "sync/text_convert.h"

int main(int argc, char** argv) {
    PrepareUtf8Console();
    std::vector<std::string> args;
    if (!ArgumentsAsUtf8(argc, argv, &args)) {
        std::fputs("desk-calendar-cli: \xE5\xBC\x95\xE6\x95\xB0\xE3\x82\x92\xE8\xAA\xAD\xE3\x82\x81\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\n", stderr);  // 引数を読めません (UTF-8)
        return 2;
    }
    // The commands take them as the C runtime hands arguments over.
    std::vector<char*> pointers;
    for (std::string& a : args) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    return RunCli(static_cast<int>(args.size()), pointers.data());
}
