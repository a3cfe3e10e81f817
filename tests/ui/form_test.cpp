// The search form on the real controls, driven by the notifications the
// controls send: choices, typing, picking, buttons and menu commands.
#include <windows.h>
#include <imm.h>

#include "dict/place.h"
#include "search/form.h"
#include "tests/ui/harness.h"
#include "ui/controls.h"
#include "ui/form_view.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "dict/program_places.h"

namespace orvetta::test {
namespace {

using FormStart = ProgramTest;
using ScopeChoice = ProgramTest;
using FieldEntry = ProgramTest;
using ModeChange = ProgramTest;
using FormSearch = ProgramTest;
using FormClear = ProgramTest;

constexpr int kTokyoRow = 10;  // prefecture codes follow the call areas
constexpr int kKanagawaRow = 11;

HWND control(int id) { return controlById(id); }
bool enabled(int id) { return IsWindowEnabled(control(id)) != FALSE; }
bool checked(int id) { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
int position(int id) { return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0)); }
void click(int id) { SendMessageW(control(id), BM_CLICK, 0, 0); }
std::wstring hitCount() { return windowText(gControls[kHitCountSlot]); }

// Names of kinds 4 and 5 (city list) or of the other kinds (ward list) in a
// record range, in the given mode.
std::vector<std::wstring> namesOf(int first, int last, bool cities, bool reading) {
    std::vector<std::wstring> names;
    for (int i = first; i <= last; ++i) {
        const PlaceRecord& r = gPlaces.records[i];
        const bool city = r.kind == kKindCity || r.kind == kKindDistrict;
        if (city == cities) names.push_back(wide(reading ? r.reading : r.kanji));
    }
    return names;
}

std::vector<std::wstring> comboEntries(int id) {
    std::vector<std::wstring> entries;
    for (int i = 0, n = comboCount(control(id)); i < n; ++i) entries.push_back(comboText(control(id), i));
    return entries;
}

void expectListsHold(int first, int last, bool reading) {
    ASSERT_EQ(comboCount(control(IDC_NUMBER)), last - first + 1);
    EXPECT_EQ(comboText(control(IDC_NUMBER), 0), wide(gPlaces.records[first].number));
    EXPECT_EQ(comboText(control(IDC_NUMBER), last - first), wide(gPlaces.records[last].number));
    EXPECT_EQ(comboEntries(IDC_CITY), namesOf(first, last, true, reading));
    EXPECT_EQ(comboEntries(IDC_WARD), namesOf(first, last, false, reading));
}

TEST(TextConversion, JoinedTextsKeepTheirBoundaries) {
    const char* texts[] = {"0101", "\x8e\x44\x96\x79\x8e\x73", "", "x"};  // 札幌市
    EXPECT_EQ(sjisToWideJoined(texts, 4), std::wstring(L"0101\0\u672d\u5e4c\u5e02\0\0x\0", 12));
    // A lone lead byte at a text's end must not take the NUL after it.
    const char* broken[] = {"a\x82", "b"};
    const std::wstring joined = sjisToWideJoined(broken, 2);
    EXPECT_EQ(joined, sjisToWide(broken[0]) + L'\0' + L"b" + L'\0');
    EXPECT_EQ(sjisToWideJoined(texts, 0), L"");
}

TEST_F(FormStart, HoldsWholeDictionaryInKanjiMode) {
    EXPECT_TRUE(checked(IDC_KANJI));
    EXPECT_FALSE(checked(IDC_READING));
    EXPECT_FALSE(enabled(IDC_SEARCH));
    expectListsHold(0, gPlaces.count() - 1, false);
    ASSERT_EQ(comboCount(control(IDC_AREA)), kAreaRows);
    ASSERT_EQ(comboCount(control(IDC_PREFECTURE)), kLastPrefectureRow + 1);
    EXPECT_EQ(comboText(control(IDC_AREA), 1), wide(kAreaChoiceLabels[1]));
    EXPECT_EQ(comboText(control(IDC_PREFECTURE), kTokyoRow), fromUtf8("東京都"));
    EXPECT_EQ(position(IDC_AREA), 0);
    EXPECT_EQ(position(IDC_PREFECTURE), 0);
    EXPECT_EQ(hitCount(), fromUtf8("0 件"));
    EXPECT_EQ(listCount(control(IDC_RESULTS)), 0);
}

TEST_F(ScopeChoice, PrefectureDisablesAreaUntilAllIsChosenAgain) {
    pickEntry(IDC_AREA, 1);
    pickEntry(IDC_PREFECTURE, kTokyoRow);
    EXPECT_EQ(position(IDC_AREA), 0);
    EXPECT_FALSE(enabled(IDC_AREA));
    expectListsHold(gPlaces.prefectureTable[kTokyoRow].first, gPlaces.prefectureTable[kTokyoRow].last, false);
    pickEntry(IDC_PREFECTURE, 0);
    EXPECT_TRUE(enabled(IDC_AREA));
    expectListsHold(0, gPlaces.count() - 1, false);
}

TEST_F(ScopeChoice, AreaResetsPrefectureAndLeavesItEnabled) {
    pickEntry(IDC_PREFECTURE, kTokyoRow);
    pickEntry(IDC_PREFECTURE, 0);
    pickEntry(IDC_AREA, 1);
    EXPECT_EQ(position(IDC_PREFECTURE), 0);
    EXPECT_TRUE(enabled(IDC_PREFECTURE));
    expectListsHold(gPlaces.areaTable[1].first, gPlaces.areaTable[1].last, false);
    pickEntry(IDC_PREFECTURE, kKanagawaRow);
    EXPECT_EQ(position(IDC_AREA), 0);
    EXPECT_FALSE(enabled(IDC_AREA));
}

TEST_F(ScopeChoice, EmptiesFieldsAndDisablesSearch) {
    typeText(IDC_CITY, "札幌");
    ASSERT_TRUE(enabled(IDC_SEARCH));
    pickEntry(IDC_AREA, 8);
    EXPECT_EQ(windowText(control(IDC_CITY)), L"");
    EXPECT_FALSE(enabled(IDC_SEARCH));
    EXPECT_TRUE(enabled(IDC_NUMBER));
    EXPECT_TRUE(enabled(IDC_WARD));
}

TEST_F(FieldEntry, TypingANameDisablesTheOtherFieldsUntilErased) {
    typeText(IDC_CITY, "札幌");
    EXPECT_FALSE(enabled(IDC_NUMBER));
    EXPECT_FALSE(enabled(IDC_WARD));
    EXPECT_TRUE(enabled(IDC_KANJI));
    EXPECT_TRUE(enabled(IDC_SEARCH));
    eraseText(IDC_CITY);
    EXPECT_TRUE(enabled(IDC_NUMBER));
    EXPECT_TRUE(enabled(IDC_WARD));
    EXPECT_FALSE(enabled(IDC_SEARCH));

    typeText(IDC_WARD, "中央");
    EXPECT_FALSE(enabled(IDC_NUMBER));
    EXPECT_FALSE(enabled(IDC_CITY));
}

TEST_F(FieldEntry, PickingANumberDisablesModesAndNames) {
    pickEntry(IDC_NUMBER, 0);
    EXPECT_FALSE(enabled(IDC_KANJI));
    EXPECT_FALSE(enabled(IDC_READING));
    EXPECT_FALSE(enabled(IDC_CITY));
    EXPECT_FALSE(enabled(IDC_WARD));
    EXPECT_TRUE(enabled(IDC_SEARCH));
    // The menu still switches the mode and refills the name lists.
    sendCommand(IDM_MODE_READING);
    EXPECT_TRUE(checked(IDC_READING));
    EXPECT_FALSE(checked(IDC_KANJI));
    EXPECT_EQ(comboText(control(IDC_CITY), 0), wide(gPlaces.records[0].reading));
    EXPECT_FALSE(enabled(IDC_CITY));
}

TEST_F(ModeChange, ReadingButtonRefillsScopeWithReadings) {
    pickEntry(IDC_AREA, 1);
    click(IDC_READING);
    EXPECT_TRUE(checked(IDC_READING));
    expectListsHold(gPlaces.areaTable[1].first, gPlaces.areaTable[1].last, true);
}

TEST_F(ModeChange, SwitchingEmptiesTypedNameAndEndsItsPart) {
    typeText(IDC_CITY, "札幌");
    sendCommand(IDM_MODE_READING);
    EXPECT_EQ(windowText(control(IDC_CITY)), L"");
    EXPECT_FALSE(enabled(IDC_SEARCH));
    // The button already on still refills, so a typed name goes.
    typeText(IDC_WARD, "ちゅう");
    click(IDC_READING);
    EXPECT_EQ(windowText(control(IDC_WARD)), L"");
}

TEST_F(FormSearch, MenuSearchWithNothingGivenShowsNoHitLine) {
    sendCommand(IDC_SEARCH);
    ASSERT_EQ(listCount(control(IDC_RESULTS)), 1);
    EXPECT_EQ(listText(control(IDC_RESULTS), 0), fromUtf8("合致する地名がありません"));
    EXPECT_EQ(hitCount(), fromUtf8("0 件      "));
}

TEST_F(FormSearch, LinesAccumulateAndCountShowsLastSearch) {
    typeText(IDC_WARD, "北区");
    click(IDC_SEARCH);
    const int first = listCount(control(IDC_RESULTS));
    EXPECT_EQ(first, 9);
    EXPECT_EQ(hitCount(), fromUtf8("9 件    "));
    eraseText(IDC_WARD);
    typeText(IDC_NUMBER, "0101");
    click(IDC_SEARCH);
    HWND results = control(IDC_RESULTS);
    ASSERT_EQ(listCount(results), first + 1);
    EXPECT_EQ(hitCount(), fromUtf8("1 件    "));
    // Every line on screen is the form's line, converted.
    const ResultList& lines = gSearchForm->results();
    ASSERT_EQ(lines.count(), listCount(results));
    for (int i = 0; i < lines.count(); ++i) EXPECT_EQ(listText(results, i), wide(lines.line(i))) << i;
}

// Typed texts are folded: a full-width number (the number field takes no
// input method, but a full-width number may be pasted) and romaji in reading
// mode.
TEST_F(FormSearch, FindsFullWidthNumbersAndRomaji) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(control(IDC_NUMBER), &info));
    EXPECT_EQ(ImmGetContext(info.hwndItem), nullptr);
    ASSERT_TRUE(GetComboBoxInfo(control(IDC_CITY), &info));
    HIMC city = ImmGetContext(info.hwndItem);
    EXPECT_NE(city, nullptr);  // the name fields keep theirs
    ImmReleaseContext(info.hwndItem, city);

    typeText(IDC_NUMBER, "０１０１");
    click(IDC_SEARCH);
    HWND results = control(IDC_RESULTS);
    ASSERT_EQ(listCount(results), 1);
    EXPECT_EQ(listText(results, 0), fromUtf8("0101\t北海道札幌市(さっぽろし)"));
    eraseText(IDC_NUMBER);
    click(IDC_READING);
    typeText(IDC_CITY, "sapporo");
    click(IDC_SEARCH);
    ASSERT_EQ(listCount(results), 3);
    EXPECT_EQ(listText(results, 1), listText(results, 0));
    EXPECT_EQ(hitCount(), fromUtf8("2 件    "));
}

// Opening a field's list from the keyboard (F4) fills the field from the
// list without a notification; the search uses what the field shows.
TEST_F(FormSearch, UsesWhatAFieldShowsAfterItsListWasOpened) {
    struct Row {
        int id;
        const char* typed;
        const char* shown;
    };
    for (const Row& row : {Row{IDC_NUMBER, "01", "0101"}, Row{IDC_CITY, "札", "札幌市"}}) {
        sendCommand(IDC_CLEAR_ALL);
        typeText(row.id, row.typed);
        pressKey(row.id, VK_F4);
        pressKey(row.id, VK_ESCAPE);
        ASSERT_EQ(windowText(control(row.id)), fromUtf8(row.shown));
        click(IDC_SEARCH);
        HWND results = control(IDC_RESULTS);
        ASSERT_EQ(listCount(results), 1) << row.id;
        EXPECT_EQ(listText(results, 0), fromUtf8("0101\t北海道札幌市(さっぽろし)")) << row.id;
        EXPECT_EQ(hitCount(), fromUtf8("1 件    ")) << row.id;
    }
}

// The rightmost column of the list's client area where the list draws
// anything but its background, as the list paints itself.
int rightmostInk(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const DWORD background = pixels[client.bottom * client.right - 1];  // below the lines
    int rightmost = -1;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = client.right - 1; x > rightmost; --x)
            if (pixels[y * client.right + x] != background) rightmost = x;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return rightmost;
}

// A line wider than the list (the longest the dictionary gives) can be
// scrolled to its end: where it ends in a list wide enough to show it whole
// is where it ends once the narrow list is scrolled as far as it goes.
// Clearing the list takes the extent back.
TEST_F(FormSearch, ScrollsToTheEndOfTheWidestLine) {
    HWND results = control(IDC_RESULTS);
    RECT frame;
    GetWindowRect(results, &frame);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&frame), 2);
    typeText(IDC_NUMBER, "01050A");
    click(IDC_SEARCH);
    ASSERT_EQ(listText(results, 0).back(), L')');
    MoveWindow(results, frame.left, frame.top, 1000, frame.bottom - frame.top, TRUE);
    const int wholeEnd = rightmostInk(results);
    MoveWindow(results, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    RECT client;
    GetClientRect(results, &client);
    ASSERT_GT(wholeEnd, client.right);
    SendMessageW(results, WM_HSCROLL, SB_RIGHT, 0);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_ALL;
    GetScrollInfo(results, SB_HORZ, &scroll);
    const int scrolledEnd = rightmostInk(results);
    EXPECT_LT(scrolledEnd, client.right - 1);
    EXPECT_EQ(scroll.nPos + scrolledEnd, wholeEnd);
    EXPECT_EQ(scroll.nMax + 1, SendMessageW(results, LB_GETHORIZONTALEXTENT, 0, 0));

    for (int clear : {IDC_CLEAR_RESULTS, IDC_CLEAR_ALL}) {
        typeText(IDC_NUMBER, "01050A");
        click(IDC_SEARCH);
        ASSERT_GT(SendMessageW(results, LB_GETHORIZONTALEXTENT, 0, 0), 0);
        click(clear);
        EXPECT_EQ(SendMessageW(results, LB_GETHORIZONTALEXTENT, 0, 0), 0) << clear;
    }
}

TEST_F(FormSearch, HitsScrollToEndButNoHitLineDoesNot) {
    HWND results = control(IDC_RESULTS);
    typeText(IDC_WARD, "町");
    click(IDC_SEARCH);
    const int top = static_cast<int>(SendMessageW(results, LB_GETTOPINDEX, 0, 0));
    EXPECT_GT(top, 0);
    eraseText(IDC_WARD);
    typeText(IDC_WARD, "存在しない町");
    click(IDC_SEARCH);
    EXPECT_EQ(listText(results, listCount(results) - 1), fromUtf8("合致する地名がありません"));
    EXPECT_EQ(SendMessageW(results, LB_GETTOPINDEX, 0, 0), top);
}

TEST_F(FormClear, ResultsClearKeepsScopeTextAndFlags) {
    pickEntry(IDC_PREFECTURE, 1);
    typeText(IDC_CITY, "札幌");
    click(IDC_SEARCH);
    click(IDC_CLEAR_RESULTS);
    EXPECT_EQ(listCount(control(IDC_RESULTS)), 0);
    EXPECT_EQ(hitCount(), fromUtf8("0 件      "));
    EXPECT_EQ(position(IDC_PREFECTURE), 1);
    EXPECT_EQ(windowText(control(IDC_CITY)), fromUtf8("札幌"));
    EXPECT_TRUE(enabled(IDC_SEARCH));
}

TEST_F(FormClear, AllResetsEverythingButMode) {
    click(IDC_READING);
    pickEntry(IDC_PREFECTURE, kTokyoRow);
    typeText(IDC_CITY, "ち");
    click(IDC_SEARCH);
    sendCommand(IDC_CLEAR_ALL);
    EXPECT_TRUE(checked(IDC_READING));
    EXPECT_EQ(position(IDC_PREFECTURE), 0);
    EXPECT_TRUE(enabled(IDC_AREA));
    EXPECT_EQ(windowText(control(IDC_CITY)), L"");
    EXPECT_FALSE(enabled(IDC_SEARCH));
    EXPECT_TRUE(enabled(IDC_NUMBER));
    EXPECT_EQ(listCount(control(IDC_RESULTS)), 0);
    EXPECT_EQ(hitCount(), fromUtf8("0 件      "));
    expectListsHold(0, gPlaces.count() - 1, true);
}

}  // namespace
}  // namespace orvetta::test
