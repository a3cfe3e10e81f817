// Copying from the result list and the tree view, and their history command.
#include "ui/copy.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstring>
#include <iterator>
#include <string_view>

#include "dict/place.h"
#include "search/engine.h"
#include "search/result_line.h"
#include "ui/form_view.h"
#include "ui/history_window.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "ui/tree_window.h"

namespace orvetta {

namespace {

// The list the result list and the tree show, for their places.
const PlaceList* gCopyPlaces;

// Ctrl+C and Ctrl+H also arrive, translated, as characters 3 and 8 (the
// latter also Backspace's); neither is a search key.
constexpr WPARAM kCtrlCChar = 3;
constexpr WPARAM kCtrlHChar = 8;

bool ctrlKeyDown() { return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0; }

// ---- What the result list copies: the form's own lines, in list order ----

int listSelection(HWND list) {
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    const int count = gSearchForm ? gSearchForm->results().count() : 0;
    return selected >= 0 && selected < count ? static_cast<int>(selected) : -1;
}

std::wstring listText(HWND list, int command) {
    if (!gSearchForm) return {};
    const ResultList& lines = gSearchForm->results();
    const int selected = listSelection(list);
    switch (command) {
    case IDM_COPY_NUMBER: {
        if (selected < 0) return {};
        const std::string_view number = resultLineNumber(lines.line(selected));
        return sjisToWide(number.data(), number.size());
    }
    case IDM_COPY_LINE: return selected < 0 ? std::wstring() : sjisToWide(lines.line(selected));
    case IDM_COPY_ALL: {
        std::string all;
        for (int i = 0; i < lines.count(); ++i) {
            if (i > 0) all += "\r\n";
            all += lines.line(i);
        }
        return sjisToWide(all.data(), all.size());
    }
    }
    return {};
}

int listCtrlCCommand(HWND list) { return listSelection(list) < 0 ? IDM_COPY_ALL : IDM_COPY_LINE; }

// The record of the selected line, found by its number; -1 for none or a
// line without a number.
int listSelectedPlace(HWND list) {
    const int selected = listSelection(list);
    if (selected < 0) return -1;
    const std::string number(resultLineNumber(gSearchForm->results().line(selected)));
    if (number.empty()) return -1;
    const int entry = findNumberEntry(*gCopyPlaces, scopeOf(*gCopyPlaces, 0, 0), number.c_str());
    return entry == kNoEntry ? -1 : entry;
}

void listSelectAt(HWND list, POINT client) {
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
    if (HIWORD(hit) != 0) return;  // below the last line: the selection stays
    SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
    // As a click would: the form hears of the new selection.
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// The selected line's rectangle, where the menu opens from the keyboard.
bool listSelectionRect(HWND list, RECT& line) {
    const int selected = listSelection(list);
    return selected >= 0 && SendMessageW(list, LB_GETITEMRECT, selected, reinterpret_cast<LPARAM>(&line)) != LB_ERR;
}

// ---- What the tree copies: the selected node ----

// The selected node's record index, -1 for an area or prefecture node (or
// none selected); its caption goes to `caption` when asked for.
int treeSelection(HWND tree, std::wstring* caption) {
    HTREEITEM item = TreeView_GetSelection(tree);
    if (!item) return -1;
    wchar_t text[128] = {};
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = static_cast<int>(std::size(text));
    if (!TreeView_GetItem(tree, &data)) return -1;
    if (caption) *caption = text;
    const bool place = data.lParam != kTreeNoRecord && data.lParam >= 0 && data.lParam < gCopyPlaces->count();
    return place ? static_cast<int>(data.lParam) : -1;
}

int treeSelectedPlace(HWND tree) { return treeSelection(tree, nullptr); }

std::wstring treeText(HWND tree, int command) {
    std::wstring caption;
    const int index = treeSelection(tree, &caption);
    if (index < 0) return command == IDM_COPY_LINE ? caption : std::wstring();
    const PlaceRecord& record = gCopyPlaces->records[index];
    if (command == IDM_COPY_NUMBER) return sjisToWide(record.number, strnlen(record.number, sizeof record.number));
    return command == IDM_COPY_LINE ? sjisToWide(resultLine(*gCopyPlaces, index, uiLanguage())) : std::wstring();
}

int treeCtrlCCommand(HWND) { return IDM_COPY_LINE; }

void treeSelectAt(HWND tree, POINT client) {
    TVHITTESTINFO hit{};
    hit.pt = client;
    if (TreeView_HitTest(tree, &hit) && (hit.flags & TVHT_ONITEM)) TreeView_SelectItem(tree, hit.hItem);
}

bool treeSelectionRect(HWND tree, RECT& label) {
    HTREEITEM item = TreeView_GetSelection(tree);
    return item && TreeView_GetItemRect(tree, item, &label, TRUE);
}

// ---- One control that copies ----

struct CopyTarget {
    WNDPROC original;  // the control class's own procedure
    bool tree;
    std::wstring (*textOf)(HWND control, int command);  // empty: nothing to copy
    int (*ctrlCCommand)(HWND control);
    int (*selectedPlace)(HWND control);  // record index, or -1
    void (*selectAt)(HWND control, POINT client);
    bool (*selectionRect)(HWND control, RECT& client);
};

// ---- The context menu's commands ----

bool copyAvailable(const CopyTarget& target, HWND control, int command) {
    return !target.textOf(control, command).empty();
}

void copyCommand(const CopyTarget& target, HWND control, int command) {
    const std::wstring text = target.textOf(control, command);
    if (text.empty()) return;
    if (!clipboardSetText(control, text))
        messageBoxSjis(gMainWindow, uiText(TextId::CopyErrorText), uiText(TextId::CopyErrorCaption),
                       MB_ICONWARNING | MB_OK);
}

bool historyAvailable(const CopyTarget& target, HWND control, int) { return target.selectedPlace(control) >= 0; }

void historyCommand(const CopyTarget& target, HWND control, int) {
    const int index = target.selectedPlace(control);
    if (index >= 0) historyOpen(gMainWindow, gCopyPlaces->records[index]);
}

// The context menu, one row per command; the tree has no "all".
struct ContextMenuRow {
    int id;
    TextId text;
    bool inTree;
    bool (*available)(const CopyTarget& target, HWND control, int id);  // false: greyed
    void (*run)(const CopyTarget& target, HWND control, int id);
};
const ContextMenuRow kContextMenu[] = {
    {IDM_COPY_NUMBER, TextId::MenuCopyNumber, true, copyAvailable, copyCommand},
    {IDM_COPY_LINE, TextId::MenuCopyLine, true, copyAvailable, copyCommand},
    {IDM_COPY_ALL, TextId::MenuCopyAll, false, copyAvailable, copyCommand},
    {IDM_SHOW_HISTORY, TextId::MenuShowHistory, true, historyAvailable, historyCommand},
};

const ContextMenuRow* contextMenuRow(int id) {
    for (const ContextMenuRow& row : kContextMenu)
        if (row.id == id) return &row;
    return nullptr;
}

// A command from the menu or its key; one that is greyed does nothing.
void runContextCommand(const CopyTarget& target, HWND control, int id) {
    const ContextMenuRow* row = contextMenuRow(id);
    if (row && row->available(target, control, id)) row->run(target, control, id);
}

// The menu opens at the pointer after a right click (the line or node under
// it selected first), or, from the keyboard (menu key, Shift+F10: no point),
// under the selection when it is in view, else at the control's corner. The
// chosen command comes back to the control as WM_COMMAND. A right click
// outside the lines (on a scroll bar) is not ours: false.
bool showCopyMenu(const CopyTarget& target, HWND control, LPARAM where) {
    RECT client;
    GetClientRect(control, &client);
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (at.x == -1 && at.y == -1) {
        RECT selection;
        const bool inView =
            target.selectionRect(control, selection) && selection.top >= client.top && selection.top < client.bottom;
        at = inView ? POINT{selection.left, selection.bottom} : POINT{0, 0};
        ClientToScreen(control, &at);
    } else {
        POINT inside = at;
        ScreenToClient(control, &inside);
        if (!PtInRect(&client, inside)) return false;
        target.selectAt(control, inside);
    }
    HMENU menu = CreatePopupMenu();
    if (!menu) return true;
    for (const ContextMenuRow& row : kContextMenu) {
        if (target.tree && !row.inTree) continue;
        const UINT state = row.available(target, control, row.id) ? MF_ENABLED : MF_GRAYED;
        AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(row.id), uiWide(row.text).c_str());
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, control, nullptr);
    DestroyMenu(menu);
    return true;
}

// The message loop translates no accelerators, so the controls take their
// keys themselves: Ctrl+C copies, Ctrl+H shows the history.
LRESULT copyingProc(const CopyTarget& target, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == 'C' && ctrlKeyDown()) {
            copyCommand(target, control, target.ctrlCCommand(control));
            return 0;
        }
        if (wParam == 'H' && ctrlKeyDown()) {
            runContextCommand(target, control, IDM_SHOW_HISTORY);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == kCtrlCChar || (wParam == kCtrlHChar && ctrlKeyDown())) return 0;
        break;
    case WM_CONTEXTMENU:
        if (showCopyMenu(target, control, lParam)) return 0;
        break;
    case WM_COMMAND:
        if (lParam == 0 && contextMenuRow(LOWORD(wParam))) {
            runContextCommand(target, control, LOWORD(wParam));
            return 0;
        }
        break;
    }
    return CallWindowProcW(target.original, control, message, wParam, lParam);
}

CopyTarget gListTarget{nullptr, false, listText, listCtrlCCommand, listSelectedPlace, listSelectAt, listSelectionRect};
CopyTarget gTreeTarget{nullptr, true, treeText, treeCtrlCCommand, treeSelectedPlace, treeSelectAt, treeSelectionRect};

LRESULT CALLBACK listCopyingProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    return copyingProc(gListTarget, list, message, wParam, lParam);
}

LRESULT CALLBACK treeCopyingProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    return copyingProc(gTreeTarget, tree, message, wParam, lParam);
}

// Every control of a class has the same procedure, so one remembered
// procedure serves each main window the process creates.
void subclass(HWND control, WNDPROC proc, CopyTarget& target) {
    if (!control) return;
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
    if (current == proc) return;
    target.original = current;
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

}  // namespace

void attachCopying(HWND resultList, HWND treeView, const PlaceList& places) {
    gCopyPlaces = &places;
    subclass(resultList, listCopyingProc, gListTarget);
    subclass(treeView, treeCopyingProc, gTreeTarget);
}

bool clipboardSetText(HWND owner, const std::wstring& text) {
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 5 && !(open = OpenClipboard(owner) != FALSE); ++attempt) Sleep(20);
    if (!open) return false;
    bool stored = false;
    const size_t cb = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, cb)) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text.c_str(), cb);
            GlobalUnlock(memory);
            EmptyClipboard();
            stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        // The clipboard owns the memory once it took it.
        if (!stored) GlobalFree(memory);
    }
    CloseClipboard();
    return stored;
}

}  // namespace orvetta
