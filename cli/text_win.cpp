#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "cli/text.h"

namespace orvetta::cli {

namespace {

constexpr UINT kShiftJis = 932;

std::wstring wideFrom(UINT codePage, DWORD flags, const char* text, size_t size) {
    if (size == 0) return {};
    int cch = MultiByteToWideChar(codePage, flags, text, static_cast<int>(size), nullptr, 0);
    if (cch <= 0) return {};
    std::wstring wide(static_cast<size_t>(cch), L'\0');
    MultiByteToWideChar(codePage, flags, text, static_cast<int>(size), wide.data(), cch);
    return wide;
}

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

std::string utf8FromSjis(const char* text, size_t size) {
    if (size == 0) return {};
    std::wstring wide = wideFrom(kShiftJis, MB_ERR_INVALID_CHARS, text, size);
    // A bad byte fails the strict pass; the lenient one substitutes it.
    if (wide.empty()) wide = wideFrom(kShiftJis, 0, text, size);
    return utf8FromWide(wide);
}

bool sjisFromUtf8(const std::string& text, std::string& sjis) {
    sjis.clear();
    if (text.empty()) return true;
    std::wstring wide = wideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), text.size());
    if (wide.empty()) return false;
    BOOL usedDefault = FALSE;
    int cb = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                                 0, nullptr, &usedDefault);
    if (cb <= 0 || usedDefault) return false;
    sjis.assign(static_cast<size_t>(cb), '\0');
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), sjis.data(), cb,
                        nullptr, &usedDefault);
    return !usedDefault;
}

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

}  // namespace orvetta::cli
