// The face in force, its choice at start and its switch.
#include "ui/language.h"

#include <cwctype>
#include <vector>

#include "dict/edition.h"
#include "ui/controls.h"
#include "ui/form_view.h"
#include "ui/help_window.h"
#include "ui/history_window.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/text.h"
#include "ui/tree_window.h"

namespace orvetta {

namespace {

Language gLanguage = Language::Japanese;

// The words of a command line, split at blanks; quotes group words with
// blanks in them (a program path) and are dropped.
std::vector<std::wstring> commandWords(const wchar_t* commandLine) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool quoted = false, inWord = false;
    for (const wchar_t* p = commandLine ? commandLine : L""; *p; ++p) {
        if (*p == L'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && std::iswspace(*p)) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += *p;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace

Language uiLanguage() { return gLanguage; }

Language startLanguageOf(const wchar_t* commandLine, LANGID systemLanguage) {
    const std::vector<std::wstring> words = commandWords(commandLine);
    for (size_t i = 0; i < words.size(); ++i) {
        std::wstring value;
        if (words[i] == L"--lang" && i + 1 < words.size())
            value = words[i + 1];
        else if (words[i].rfind(L"--lang=", 0) == 0)
            value = words[i].substr(7);
        if (value == L"ja") return Language::Japanese;
        if (value == L"en") return Language::English;
    }
    return PRIMARYLANGID(systemLanguage) == LANG_JAPANESE ? Language::Japanese : Language::English;
}

void chooseStartLanguage(const wchar_t* commandLine) {
    gLanguage = startLanguageOf(commandLine, GetUserDefaultUILanguage());
}

const char* uiText(TextId id) { return textOf(id, gLanguage); }

std::wstring uiWide(TextId id) { return sjisToWide(uiText(id)); }

const char* editionNotice(const Edition& edition, EditionNotice which) {
    const bool english = gLanguage == Language::English;
    if (which == kAboutNotice) return english ? edition.aboutNoticeEn : edition.aboutNotice;
    return english ? edition.statusNoticeEn : edition.statusNotice;
}

// Every window shows the other face: the menus, the controls and the status
// bar, the form's choices, name lists and hit count, the tree, the help and
// the history. Result lines already listed stay as they were shown (a copy
// takes what a line shows); lines found from now on come in the new face. A
// log report that is open stays as it was made.
void switchLanguage(HWND mainWindow) {
    gLanguage = gLanguage == Language::Japanese ? Language::English : Language::Japanese;
    menusApplyLanguage(mainWindow);
    controlsApplyLanguage();
    formApplyLanguage();
    treeApplyLanguage();
    helpApplyLanguage();
    historyApplyLanguage();
}

}  // namespace orvetta
