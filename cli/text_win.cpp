#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "cli/text.h"
#include "text/utf.h"

namespace orvetta::cli {

namespace {

UINT gSavedOutputCodePage = 0;

void restoreConsole() {
    if (gSavedOutputCodePage) SetConsoleOutputCP(gSavedOutputCodePage);
}

}  // namespace

std::vector<std::string> commandArguments(int, char**) {
    std::vector<std::string> out;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return out;
    for (int i = 1; i < count; ++i) {
        const std::wstring_view argument(wide[i]);
        out.push_back(utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
    }
    LocalFree(wide);
    return out;
}

bool argumentsAreBytes() { return false; }

void prepareConsole() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    UINT current = GetConsoleOutputCP();
    if (current && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        gSavedOutputCodePage = current;
        std::atexit(restoreConsole);
    }
}

const char kPrintableLineEnd[] = "\r\n";

}  // namespace orvetta::cli
