// The help command.
#include "ui/help_window.h"

#include <string>
#include <string_view>

#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text_window.h"

namespace orvetta {

namespace {

// The help text resource of each face, in the order of Language.
constexpr int kHelpTextResources[] = {IDR_HELP_TEXT, IDR_HELP_TEXT_EN};

// ORVETTA.HLP in the folder of the running program.
std::wstring helpFileBesideProgram() {
    wchar_t path[MAX_PATH];
    const DWORD cch = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (cch == 0 || cch >= MAX_PATH) return {};
    std::wstring file(path, cch);
    file.erase(file.find_last_of(L"\\/") + 1);
    file += kHelpFile;
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return file;
}

// The text resource of the face in force holds Shift-JIS bytes without a
// terminating NUL.
std::string_view helpText(HINSTANCE instance) {
    const int resource = kHelpTextResources[static_cast<int>(uiLanguage())];
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string_view(bytes, SizeofResource(instance, found)) : std::string_view();
}

}  // namespace

void helpOpen(HWND owner) {
    const std::wstring file = helpFileBesideProgram();
    if (!file.empty()) {
        WinHelpW(owner, file.c_str(), HELP_FINDER, 0);
        return;
    }
    textWindowOpen(owner, kHelpTextWindow, uiText(TextId::HelpTitle), helpText(gInstance));
}

void helpApplyLanguage() { textWindowReplace(kHelpTextWindow, uiText(TextId::HelpTitle), helpText(gInstance)); }

}  // namespace orvetta
