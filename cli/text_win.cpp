#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "cli/text.h"

namespace orvetta::cli {

namespace {

std::string utf8FromWide(const std::wstring& wide) {
    if (wide.empty()) return {};
    int cb = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(cb), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), cb, nullptr, nullptr);
    return out;
}

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
    for (int i = 1; i < count; ++i) out.push_back(utf8FromWide(wide[i]));
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
