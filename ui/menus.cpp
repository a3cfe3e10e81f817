// Menus from tables: a popup's items follow its row up to its end row.
#include "ui/menus.h"

#include <span>
#include <vector>

#include "ui/language.h"
#include "ui/resource.h"
#include "ui/tree_window.h"

namespace orvetta {

namespace {

enum class Row { Popup, Item, Separator, End };

struct MenuRow {
    Row kind;
    TextId text;  // Popup and Item only
    int id;       // Item only
};

// The main menu. "検索実行" and "ツリー" are commands on the bar itself.
const MenuRow kMainMenu[] = {
    {Row::Popup, TextId::MenuFile, 0},
    {Row::Item, TextId::MenuCheckLog, IDM_CHECK_LOG},
    {Row::Separator, {}, 0},
    {Row::Item, TextId::MenuExit, IDM_EXIT},
    {Row::End, {}, 0},
    {Row::Popup, TextId::MenuItems, 0},
    {Row::Item, TextId::MenuFocusArea, IDM_FOCUS_AREA},
    {Row::Item, TextId::MenuFocusPrefecture, IDM_FOCUS_PREFECTURE},
    {Row::Separator, {}, 0},
    {Row::Item, TextId::MenuFocusNumber, IDM_FOCUS_NUMBER},
    {Row::Item, TextId::MenuFocusCity, IDM_FOCUS_CITY},
    {Row::Item, TextId::MenuFocusWard, IDM_FOCUS_WARD},
    {Row::Separator, {}, 0},
    {Row::Item, TextId::MenuFocusResults, IDM_FOCUS_RESULTS},
    {Row::End, {}, 0},
    {Row::Popup, TextId::MenuSettings, 0},
    {Row::Item, TextId::MenuModeKanji, IDM_MODE_KANJI},
    {Row::Item, TextId::MenuModeReading, IDM_MODE_READING},
    {Row::Separator, {}, 0},
    {Row::Item, TextId::MenuChooseDay, IDM_CHOOSE_DAY},
    {Row::Separator, {}, 0},
    {Row::Item, TextId::MenuLanguage, IDM_LANGUAGE},
    {Row::End, {}, 0},
    {Row::Item, TextId::MenuSearch, IDC_SEARCH},
    {Row::Popup, TextId::MenuClear, 0},
    {Row::Item, TextId::MenuClearAll, IDC_CLEAR_ALL},
    {Row::Item, TextId::MenuClearResults, IDC_CLEAR_RESULTS},
    {Row::End, {}, 0},
    {Row::Item, TextId::MenuTree, IDM_TREE_TOGGLE},
    {Row::Popup, TextId::MenuHelp, 0},
    {Row::Item, TextId::MenuHelpTopics, IDM_HELP},
    {Row::Separator, {}, 0},
    {Row::Item, TextId::MenuAbout, IDM_ABOUT},
    {Row::End, {}, 0},
};

// The tree window's menu: one command on the bar.
const MenuRow kTreeMenu[] = {
    {Row::Item, TextId::MenuTreeHide, IDM_TREE_HIDE},
};

HMENU buildMenu(std::span<const MenuRow> rows) {
    std::vector<HMENU> open{CreateMenu()};
    for (const MenuRow& row : rows) {
        HMENU into = open.back();
        switch (row.kind) {
        case Row::Popup: {
            HMENU popup = CreatePopupMenu();
            AppendMenuW(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), uiWide(row.text).c_str());
            open.push_back(popup);
            break;
        }
        case Row::Item: AppendMenuW(into, MF_STRING, static_cast<UINT_PTR>(row.id), uiWide(row.text).c_str()); break;
        case Row::Separator: AppendMenuW(into, MF_SEPARATOR, 0, nullptr); break;
        case Row::End: open.pop_back(); break;
        }
    }
    return open.front();
}

// Replaces a window's menu, keeping the greyed state of each command.
void replaceMenu(HWND window, HMENU next, std::span<const MenuRow> rows) {
    HMENU previous = GetMenu(window);
    if (previous) {
        for (const MenuRow& row : rows) {
            if (row.kind != Row::Item) continue;
            const UINT state = GetMenuState(previous, static_cast<UINT>(row.id), MF_BYCOMMAND);
            if (state != static_cast<UINT>(-1) && (state & MF_GRAYED))
                EnableMenuItem(next, static_cast<UINT>(row.id), MF_BYCOMMAND | MF_GRAYED);
        }
    }
    SetMenu(window, next);
    if (previous) DestroyMenu(previous);
    DrawMenuBar(window);
}

}  // namespace

HMENU createMainMenu() { return buildMenu(kMainMenu); }

HMENU createTreeMenu() { return buildMenu(kTreeMenu); }

void menusApplyLanguage(HWND mainWindow) {
    if (mainWindow) replaceMenu(mainWindow, createMainMenu(), kMainMenu);
    if (gTreeWindow) replaceMenu(gTreeWindow, createTreeMenu(), kTreeMenu);
}

}  // namespace orvetta
