// Copying for a log: Ctrl+C and the context menus of the result list and the
// tree, read back from the clipboard.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/copy.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/tree_window.h"

namespace orvetta::test {
namespace {

using CopyFromResults = ProgramTest;
using CopyFromTree = ProgramTest;

std::wstring clipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void pressCtrlC(HWND control) {
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    sendKeys({{VK_CONTROL, true}, {'C', true}, {'C', false}, {VK_CONTROL, false}});
}

LPARAM screenPoint(HWND control, const RECT& rect) {
    POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &at);
    return MAKELPARAM(at.x, at.y);
}

const std::vector<std::wstring> kListMenu = {fromUtf8("番号をコピー"), fromUtf8("行をコピー"), fromUtf8("すべてコピー"),
                                             fromUtf8("履歴を表示(&H)")};

TEST_F(CopyFromResults, CopiesTheSelectedLineItsNumberOrEveryLine) {
    HWND results = controlById(IDC_RESULTS);
    for (const char* number : {"0101", "07014E", "9999"}) {
        eraseText(IDC_NUMBER);
        typeText(IDC_NUMBER, number);
        sendCommand(IDC_SEARCH);
    }
    const std::wstring town = fromUtf8("07014E\t福島県東白川郡(ひがししらかわぐん)古殿町(ふるどのまち)【旧】");
    const std::wstring noHit = fromUtf8("合致する地名がありません");
    const std::wstring all = listText(results, 0) + L"\r\n" + town + L"\r\n" + noHit;
    ASSERT_EQ(listText(results, 1), town);

    pressCtrlC(results);  // nothing selected: every line
    EXPECT_EQ(clipboardText(), all);
    SendMessageW(results, LB_SETCURSEL, 1, 0);
    pressCtrlC(results);
    EXPECT_EQ(clipboardText(), town);

    // A right click selects the line under the pointer, then the menu opens.
    RECT first;
    SendMessageW(results, LB_SETTOPINDEX, 0, 0);
    SendMessageW(results, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SeenMenu menu = useContextMenu(results, screenPoint(results, first), 0);
    EXPECT_EQ(menu.texts, kListMenu);
    EXPECT_EQ(menu.enabled, std::vector<bool>({true, true, true, true}));
    EXPECT_EQ(SendMessageW(results, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(clipboardText(), L"0101");

    // The no-hit line has no number: greyed, and the command changes nothing.
    SendMessageW(results, LB_SETCURSEL, 2, 0);
    menu = useContextMenu(results, -1, -1);
    EXPECT_EQ(menu.enabled, std::vector<bool>({false, true, true, false}));
    SendMessageW(results, WM_COMMAND, IDM_COPY_NUMBER, 0);
    EXPECT_EQ(clipboardText(), L"0101");
    SendMessageW(results, WM_COMMAND, IDM_COPY_LINE, 0);
    EXPECT_EQ(clipboardText(), noHit);
    SendMessageW(results, WM_COMMAND, IDM_COPY_ALL, 0);
    EXPECT_EQ(clipboardText(), all);

    // While another window holds the clipboard, the user is told so.
    ASSERT_TRUE(OpenClipboard(window_));
    SendMessageW(results, WM_COMMAND, IDM_COPY_LINE, 0);
    CloseClipboard();
    ASSERT_EQ(recordedBoxes().size(), 1u);
    EXPECT_EQ(recordedBoxes()[0].text, fromUtf8("クリップボードにコピーできませんでした"));
    EXPECT_EQ(recordedBoxes()[0].caption, fromUtf8("Orvetta：コピーエラー"));
    EXPECT_EQ(clipboardText(), all);
}

// The first node whose text starts with `prefix`, anywhere in the tree.
HTREEITEM findNode(HTREEITEM item, const std::wstring& prefix) {
    for (; item; item = TreeView_GetNextSibling(gTreeView, item)) {
        if (treeItemText(item).rfind(prefix, 0) == 0) return item;
        if (HTREEITEM found = findNode(TreeView_GetChild(gTreeView, item), prefix)) return found;
    }
    return nullptr;
}

TEST_F(CopyFromTree, PlaceNodesCopyNumberOrLineAndAreaNodesTheirCaption) {
    ASSERT_NE(gTreeView, nullptr);
    HTREEITEM area = TreeView_GetRoot(gTreeView);
    RECT label;
    ASSERT_TRUE(TreeView_GetItemRect(gTreeView, area, &label, TRUE));
    clipboardSetText(gTreeView, L"before");
    // The tree view reports a right click to its window.
    SeenMenu menu = useContextMenu(gTreeView, screenPoint(gTreeView, label), -1, gTreeWindow);
    EXPECT_EQ(menu.texts, std::vector<std::wstring>({kListMenu[0], kListMenu[1], kListMenu[3]}));
    EXPECT_EQ(menu.enabled, std::vector<bool>({false, true, false}));
    EXPECT_EQ(TreeView_GetSelection(gTreeView), area);
    SendMessageW(gTreeView, WM_COMMAND, IDM_COPY_NUMBER, 0);
    EXPECT_EQ(clipboardText(), L"before");
    pressCtrlC(gTreeView);
    EXPECT_EQ(clipboardText(), fromUtf8("１エリア(関東)"));

    HTREEITEM town = findNode(area, L"07014E ");
    ASSERT_NE(town, nullptr);
    TreeView_SelectItem(gTreeView, town);
    pressCtrlC(gTreeView);
    EXPECT_EQ(clipboardText(), fromUtf8("07014E\t福島県東白川郡(ひがししらかわぐん)古殿町(ふるどのまち)【旧】"));
    menu = useContextMenu(gTreeView, -1, 0);
    EXPECT_EQ(menu.enabled, std::vector<bool>({true, true, true}));
    EXPECT_EQ(clipboardText(), L"07014E");
}

}  // namespace
}  // namespace orvetta::test
