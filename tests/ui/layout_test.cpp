// Controls, fonts, text limits and the layout of the main window.
#include <windows.h>

#include <commctrl.h>

#include "dict/edition.h"
#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/tree_window.h"

namespace orvetta::test {
namespace {

using Layout = ProgramTest;
using Fonts = ProgramTest;
using TextLimits = ProgramTest;
using StatusBar = ProgramTest;

bool isCombo(int slot) {
    return slot == kAreaChoiceSlot || slot == kPrefectureChoiceSlot || slot == kNumberFieldSlot ||
           slot == kCityFieldSlot || slot == kWardFieldSlot;
}

// A control's rectangle in the main window's client coordinates; a combo
// box's height is that of the field with its list dropped down.
LayoutRect placeOf(int slot) {
    HWND control = gControls[slot];
    RECT r;
    GetWindowRect(control, &r);
    if (isCombo(slot)) {
        RECT dropped;
        SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        // The platform keeps the closed field's height and gives the rest of
        // the height it was moved to to the dropped list.
        r.bottom += dropped.bottom - dropped.top;
    }
    MapWindowPoints(HWND_DESKTOP, gMainWindow, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

RECT clientOf(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r;
}

void resizeOuter(int width, int height) {
    SetWindowPos(gMainWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pumpMessages();
}

int statusBarTop() {
    RECT r;
    GetWindowRect(gControls[kStatusBarSlot], &r);
    MapWindowPoints(HWND_DESKTOP, gMainWindow, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

// Layout row of each slot 1..18, in table order.
constexpr int kRowOfSlot[kControlCount] = {-1, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

TEST_F(Layout, AtDesignSizeEveryControlSitsOnItsRow) {
    RECT outer;
    GetWindowRect(window_, &outer);
    ASSERT_EQ(outer.right - outer.left, 540);
    ASSERT_EQ(outer.bottom - outer.top, 306);
    for (int slot = 1; slot < kResultListSlot; ++slot) {
        ASSERT_NE(gControls[slot], nullptr) << slot;
        const LayoutRect want = kLayoutTable[kRowOfSlot[slot]];
        const LayoutRect got = placeOf(slot);
        EXPECT_EQ(got.x, want.x) << "slot " << slot;
        EXPECT_EQ(got.y, want.y) << "slot " << slot;
        EXPECT_EQ(got.width, want.width) << "slot " << slot;
        EXPECT_EQ(got.height, want.height) << "slot " << slot;
    }
    const LayoutRect list = placeOf(kResultListSlot);
    EXPECT_EQ(list.x, 10);
    EXPECT_EQ(list.y, 196);
    EXPECT_EQ(list.width, 510);
    EXPECT_EQ(list.y + list.height, statusBarTop());
}

TEST_F(Layout, WiderWindowScalesHorizontallyInSinglePrecision) {
    resizeOuter(600, 306);
    const LayoutRect kanji = placeOf(kKanjiButtonSlot);
    EXPECT_EQ(kanji.x, 11);
    EXPECT_EQ(kanji.width, 133);
    EXPECT_EQ(placeOf(kResultListSlot).width, 566);
}

TEST_F(Layout, VerticalFactorStopsAtOnePointOne) {
    resizeOuter(540, 336);  // factor 1.098: 30 px rows become 32
    EXPECT_EQ(placeOf(kKanjiButtonSlot).height, 32);
    resizeOuter(540, 337);  // capped at 1.1
    EXPECT_EQ(placeOf(kKanjiButtonSlot).height, 33);
    for (int height : {337, 500, 700}) {
        resizeOuter(540, height);
        const LayoutRect search = placeOf(kSearchButtonSlot);
        EXPECT_EQ(search.y, 58) << height;
        EXPECT_EQ(search.height, 44) << height;
    }
}

TEST_F(Layout, ResultListTakesExtraHeightDownToStatusBar) {
    resizeOuter(540, 500);
    const LayoutRect at500 = placeOf(kResultListSlot);
    EXPECT_EQ(at500.y + at500.height, statusBarTop());
    resizeOuter(540, 600);
    const LayoutRect at600 = placeOf(kResultListSlot);
    EXPECT_EQ(at600.y, at500.y);
    EXPECT_EQ(at600.height, at500.height + 100);
    EXPECT_EQ(at600.y + at600.height, statusBarTop());
}

TEST_F(Fonts, HeightsFollowDisplayDpi) {
    HDC dc = GetDC(window_);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window_, dc);
    ASSERT_EQ(dpi, 96) << "the expected heights are for 96 dots per inch";
    LOGFONTW form{}, label{}, tree{};
    GetObjectW(gFormFont, sizeof form, &form);
    GetObjectW(gLabelFont, sizeof label, &label);
    GetObjectW(gTreeFont, sizeof tree, &tree);
    EXPECT_EQ(form.lfHeight, -17);
    EXPECT_EQ(label.lfHeight, -16);
    EXPECT_EQ(tree.lfHeight, -15);
    EXPECT_EQ(form.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(form.lfPitchAndFamily, 50);
    EXPECT_EQ(fontHeight(13, 120), -22);
}

TEST_F(Fonts, EachControlHasItsFont) {
    auto fontOf = [](HWND w) { return reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)); };
    for (int slot : {kKanjiButtonSlot, kSearchButtonSlot, kAreaChoiceSlot, kWardFieldSlot, kClearResultsButtonSlot,
                     kResultListSlot})
        EXPECT_EQ(fontOf(gControls[slot]), gFormFont) << slot;
    for (int slot : {kAreaLabelSlot, kResultsLabelSlot, kHitCountSlot}) EXPECT_EQ(fontOf(gControls[slot]), gLabelFont);
    ASSERT_NE(gTreeView, nullptr);
    EXPECT_EQ(fontOf(gTreeView), gTreeFont);
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

TEST_F(Fonts, FaceIsAnInstalledJapaneseFace) {
    LOGFONTW form{};
    GetObjectW(gFormFont, sizeof form, &form);
    EXPECT_STREQ(form.lfFaceName, chooseFontFace());
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(query.lfFaceName, form.lfFaceName, LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &query, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    EXPECT_TRUE(found) << toUtf8(form.lfFaceName);
    RecordProperty("fontFace", toUtf8(form.lfFaceName));
}

TEST_F(TextLimits, NameFieldsRefuseTheFortySixthCharacter) {
    const char* fortySix =
        "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん";
    for (int id : {IDC_CITY, IDC_WARD}) {
        typeText(id, fortySix);
        EXPECT_EQ(GetWindowTextLengthW(controlById(id)), 45) << id;
        eraseText(id);
    }
    typeText(IDC_NUMBER, "0123456789012345678901234567890123456789012345678");
    EXPECT_EQ(GetWindowTextLengthW(controlById(IDC_NUMBER)), 49);
}

TEST_F(StatusBar, TwoPartsWithNoticeOnTheRight) {
    HWND bar = gControls[kStatusBarSlot];
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], clientOf(window_).right - 180);
    wchar_t text[128] = {};
    SendMessageW(bar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), wide(gEdition->statusNotice));
    EXPECT_EQ(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)), 0);
}

}  // namespace
}  // namespace orvetta::test
