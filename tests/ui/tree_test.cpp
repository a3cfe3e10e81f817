// The place-name tree window on the real window system: its nodes, texts and
// images from the shipped dictionary, the walk that hangs places under their
// parents (on small record arrays of our own), hiding and showing it from
// both menus, and closing it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dict/place.h"
#include "tests/ui/harness.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "ui/tree_window.h"
#include "dict/program_places.h"

namespace orvetta::test {
namespace {

std::vector<HTREEITEM> children(HTREEITEM parent) {
    std::vector<HTREEITEM> items;
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(gTreeView, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    while (item) {
        items.push_back(item);
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(gTreeView, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return items;
}

struct Node {
    std::wstring text;
    int image;
    int selectedImage;
};

Node node(HTREEITEM item) {
    wchar_t text[128] = {};
    TVITEMW query = {};
    query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 128;
    SendMessageW(gTreeView, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return {text, query.iImage, query.iSelectedImage};
}

std::vector<std::wstring> texts(const std::vector<HTREEITEM>& items) {
    std::vector<std::wstring> out;
    for (HTREEITEM item : items) out.push_back(node(item).text);
    return out;
}

HTREEITEM childNamed(HTREEITEM parent, const char* utf8) {
    for (HTREEITEM item : children(parent))
        if (node(item).text == fromUtf8(utf8)) return item;
    return nullptr;
}

// The node of one prefecture, found under its area.
HTREEITEM prefectureNode(const char* areaUtf8, const char* prefectureUtf8) {
    HTREEITEM area = childNamed(nullptr, areaUtf8);
    return area ? childNamed(area, prefectureUtf8) : nullptr;
}

std::wstring utf8Text(const char* utf8) { return fromUtf8(utf8); }

// ---- The tree of the shipped dictionary ----

using TreeFill = ProgramTest;

TEST_F(TreeFill, RootsAreTheAreasInCaptionOrder) {
    std::vector<HTREEITEM> roots = children(nullptr);
    ASSERT_EQ(roots.size(), 10u);
    for (size_t i = 0; i < roots.size(); ++i) {
        Node root = node(roots[i]);
        EXPECT_EQ(root.text, wide(kAreaCaptions[i].caption)) << i;
        EXPECT_EQ(root.image, 0);
        EXPECT_EQ(root.selectedImage, 0);
    }
    EXPECT_EQ(node(roots[0]).text, utf8Text("１エリア(関東)"));
    EXPECT_EQ(node(roots[9]).text, utf8Text("０エリア(信越)"));
}

TEST_F(TreeFill, PrefecturesHangUnderTheirAreaInTableOrder) {
    std::vector<HTREEITEM> roots = children(nullptr);
    ASSERT_EQ(roots.size(), 10u);
    std::vector<std::wstring> kanto;
    for (const char* name : {"東京都", "神奈川県", "千葉県", "埼玉県", "茨城県", "栃木県", "群馬県", "山梨県"})
        kanto.push_back(utf8Text(name));
    EXPECT_EQ(texts(children(roots[0])), kanto);
    EXPECT_EQ(texts(children(roots[7])), std::vector<std::wstring>{utf8Text("北海道")});
    EXPECT_EQ(texts(children(roots[9])), (std::vector<std::wstring>{utf8Text("新潟県"), utf8Text("長野県")}));

    // All 47 once, each with the prefecture image; row 48 "不明" never.
    int prefectures = 0;
    for (HTREEITEM root : roots) {
        for (HTREEITEM item : children(root)) {
            ++prefectures;
            EXPECT_EQ(node(item).image, 1);
            EXPECT_NE(node(item).text, utf8Text("不明"));
        }
    }
    EXPECT_EQ(prefectures, 47);
}

TEST_F(TreeFill, CityShowsItsWardsUnderIt) {
    HTREEITEM hokkaido = prefectureNode("８エリア(北海道)", "北海道");
    ASSERT_NE(hokkaido, nullptr);
    std::vector<HTREEITEM> places = children(hokkaido);
    ASSERT_FALSE(places.empty());
    Node sapporo = node(places[0]);
    EXPECT_EQ(sapporo.text, utf8Text("  0101 札幌市(さっぽろし) "));
    EXPECT_EQ(sapporo.image, 2);
    EXPECT_EQ(sapporo.selectedImage, 2);
    std::vector<HTREEITEM> wards = children(places[0]);
    ASSERT_FALSE(wards.empty());
    EXPECT_EQ(node(wards[0]).text, utf8Text("010101 中央区(ちゅうおうく) "));
    EXPECT_EQ(node(wards[0]).image, 4);

    HTREEITEM tokyo = prefectureNode("１エリア(関東)", "東京都");
    HTREEITEM wards23 = childNamed(tokyo, "  1001 ２３区(にじゅうさんく) ");
    ASSERT_NE(wards23, nullptr);
    EXPECT_EQ(children(wards23).size(), 23u);
}

TEST_F(TreeFill, OldPlacesCarryTheMarkAndTheNoneImage) {
    HTREEITEM hokkaido = prefectureNode("８エリア(北海道)", "北海道");
    HTREEITEM kameda = childNamed(hokkaido, "  0132 亀田市(かめだし) 【旧】");
    ASSERT_NE(kameda, nullptr);
    EXPECT_EQ(node(kameda).image, 7);
    EXPECT_EQ(node(kameda).selectedImage, 7);

    // An old district without towns stays a leaf; the towns that follow go
    // to the next district.
    HTREEITEM utasutsu = childNamed(hokkaido, " 01012 歌棄郡(うたすつぐん) 【旧】");
    ASSERT_NE(utasutsu, nullptr);
    EXPECT_EQ(node(utasutsu).image, 7);
    EXPECT_TRUE(children(utasutsu).empty());
    HTREEITEM urakawa = childNamed(hokkaido, " 01013 浦河郡(うらかわぐん) ");
    ASSERT_NE(urakawa, nullptr);
    EXPECT_EQ(node(urakawa).image, 3);
    std::vector<HTREEITEM> towns = children(urakawa);
    ASSERT_FALSE(towns.empty());
    EXPECT_EQ(node(towns[0]).text, utf8Text("01013A 浦河町(うらかわちょう) "));
    EXPECT_EQ(node(towns[0]).image, 5);
}

TEST_F(TreeFill, HoldsOneNodePerRecordPlusAreasAndPrefectures) {
    EXPECT_EQ(SendMessageW(gTreeView, TVM_GETCOUNT, 0, 0), gPlaces.count() + 10 + 47);
    // Everything starts collapsed.
    for (HTREEITEM root : children(nullptr))
        EXPECT_FALSE(SendMessageW(gTreeView, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(root), TVIS_EXPANDED));
}

TEST_F(TreeFill, ReportsHowLongTheFillTook) {
    EXPECT_GT(gTreeFillMilliseconds, 0.0);
    RecordProperty("treeFillMilliseconds", std::to_string(gTreeFillMilliseconds));
    printf("tree fill: %.1f ms for %d nodes\n", gTreeFillMilliseconds,
           static_cast<int>(SendMessageW(gTreeView, TVM_GETCOUNT, 0, 0)));
}

// ---- The window itself ----

using TreeWindow = ProgramTest;

TEST_F(TreeWindow, IsAVisiblePopupOwnedByTheMainWindow) {
    ASSERT_NE(gTreeWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(gTreeWindow));
    EXPECT_EQ(GetWindow(gTreeWindow, GW_OWNER), window_);
    EXPECT_EQ(windowText(gTreeWindow), utf8Text("地名ツリー"));
    wchar_t className[32] = {};
    GetClassNameW(gTreeWindow, className, 32);
    EXPECT_STREQ(className, L"Velkar Tree");
    RECT outer;
    GetWindowRect(gTreeWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, 200);
    EXPECT_EQ(outer.bottom - outer.top, 250);

    HMENU menu = GetMenu(gTreeWindow);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(IDM_TREE_HIDE));
    wchar_t label[64] = {};
    GetMenuStringW(menu, 0, label, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(label), utf8Text("地名ツリーを隠す(&H)"));
}

TEST_F(TreeWindow, TreeViewFillsTheClientAreaAsItResizes) {
    ASSERT_NE(gTreeView, nullptr);
    EXPECT_EQ(GetDlgCtrlID(gTreeView), IDC_TREE_VIEW);
    for (SIZE outer : {SIZE{200, 250}, SIZE{320, 400}}) {
        SetWindowPos(gTreeWindow, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        RECT view;
        GetClientRect(gTreeWindow, &client);
        GetWindowRect(gTreeView, &view);
        EXPECT_EQ(view.right - view.left, client.right) << outer.cx;
        EXPECT_EQ(view.bottom - view.top, client.bottom) << outer.cy;
    }
}

TEST_F(TreeWindow, ImageListHoldsTheEightIconsAt16Pixels) {
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(gTreeView, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images, gTreeImageList);
    EXPECT_EQ(ImageList_GetImageCount(images), 8);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
}

// ---- Hiding and showing ----

using TreeHide = ProgramTest;

TEST_F(TreeHide, TreeMenuHidesAndMainMenuShowsAgain) {
    SendMessageW(gTreeWindow, WM_COMMAND, MAKEWPARAM(IDM_TREE_HIDE, 0), 0);
    EXPECT_FALSE(IsWindowVisible(gTreeView));
    EXPECT_TRUE(IsWindowVisible(window_));
    sendCommand(IDM_TREE_TOGGLE);
    EXPECT_TRUE(IsWindowVisible(gTreeView));
}

TEST_F(TreeHide, MainMenuTogglesAndKeepsTheExpansion) {
    HTREEITEM kanto = children(nullptr).at(0);
    SendMessageW(gTreeView, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(kanto));
    sendCommand(IDM_TREE_TOGGLE);
    EXPECT_FALSE(IsWindowVisible(gTreeView));
    sendCommand(IDM_TREE_TOGGLE);
    EXPECT_TRUE(IsWindowVisible(gTreeView));
    EXPECT_TRUE(SendMessageW(gTreeView, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(kanto), TVIS_EXPANDED) &
                TVIS_EXPANDED);
}

TEST_F(TreeHide, OtherCommandsOfTheTreeWindowDoNothing) {
    SendMessageW(gTreeWindow, WM_COMMAND, MAKEWPARAM(IDM_TREE_TOGGLE, 0), 0);
    SendMessageW(gTreeWindow, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    EXPECT_TRUE(IsWindowVisible(gTreeView));
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(TreeHide, ClosingThroughTheFrameLeavesTheProgramRunning) {
    HWND tree = gTreeWindow;
    SendMessageW(tree, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(tree));
    EXPECT_EQ(gTreeView, nullptr);
    EXPECT_TRUE(IsWindow(window_));
    // Nothing left to show again; the toggle and the release step cope.
    sendCommand(IDM_TREE_TOGGLE);
    EXPECT_TRUE(IsWindow(window_));
    endProgram();
}

// ---- The tree after an update file ----

using TreeUpdate = FreshDirectoryTest;

TEST_F(TreeUpdate, ShowsAPlaceTheUpdateFileAdded) {
    // 0136,北斗市,ほくとし,1 in Shift-JIS.
    writeUpdateFile("0136,\x96\x6b\x93\x6c\x8e\x73,\x82\xd9\x82\xad\x82\xc6\x82\xb5,1\r\n");
    ASSERT_NE(startProgram(), nullptr);
    EXPECT_TRUE(recordedBoxes().empty());
    EXPECT_EQ(SendMessageW(gTreeView, TVM_GETCOUNT, 0, 0), gPlaces.count() + 10 + 47);
    HTREEITEM hokkaido = prefectureNode("８エリア(北海道)", "北海道");
    HTREEITEM hokuto = childNamed(hokkaido, "  0136 北斗市(ほくとし) ");
    ASSERT_NE(hokuto, nullptr);
    EXPECT_EQ(node(hokuto).image, 2);
}

// ---- The walk over a record array of our own ----

// Replaces the dictionary with a few records in prefecture 01 (area 8) and
// builds a tree window from them, with no main window.
class TreeWalk : public ::testing::Test {
protected:
    void SetUp() override {
        savedRecords_ = gPlaces.records;
        std::memcpy(savedAreas_, gPlaces.areaTable, sizeof gPlaces.areaTable);
        std::memcpy(savedPrefectures_, gPlaces.prefectureTable, sizeof gPlaces.prefectureTable);
        resetRegionTables(gPlaces);
        for (PrefectureRow& row : gPlaces.prefectureTable) {
            row.first = 0;
            row.last = -1;
        }
    }
    void TearDown() override {
        if (gTreeWindow) DestroyWindow(gTreeWindow);
        gPlaces.records = savedRecords_;
        std::memcpy(gPlaces.areaTable, savedAreas_, sizeof gPlaces.areaTable);
        std::memcpy(gPlaces.prefectureTable, savedPrefectures_, sizeof gPlaces.prefectureTable);
    }

    void add(const char* number, const char* kanji, const char* reading, char kind, char current) {
        PlaceRecord record = {};
        // Copies at most the field's width, so a test can fill a field to the brim.
        auto put = [](char* field, size_t width, const char* text) {
            std::memcpy(field, text, std::min(std::strlen(text), width));
        };
        put(record.number, sizeof record.number, number);
        put(record.kanji, sizeof record.kanji, kanji);
        put(record.reading, sizeof record.reading, reading);
        record.kind = kind;
        record.current = current;
        records_.push_back(record);
    }

    // Prefecture 01 gets every record; then the tree is built.
    HTREEITEM build() {
        gPlaces.records = records_.data();
        gPlaces.areaTable[0].last = static_cast<int32_t>(records_.size()) - 1;
        gPlaces.prefectureTable[1].first = 0;
        gPlaces.prefectureTable[1].last = static_cast<int32_t>(records_.size()) - 1;
        chooseStartLanguage(L"--lang ja");
        EXPECT_NE(createTreeWindow(GetModuleHandleW(nullptr), nullptr, gPlaces), nullptr);
        return prefectureNode("８エリア(北海道)", "北海道");
    }

    std::vector<PlaceRecord> records_;

private:
    PlaceRecord* savedRecords_ = nullptr;
    AreaRow savedAreas_[kAreaRows];
    PrefectureRow savedPrefectures_[kPrefectureRows];
};

TEST_F(TreeWalk, TownBeforeAnyDistrictHangsUnderThePrefecture) {
    add("01001A", "A\x92\xac", "a", kKindTown, '1');     // A町
    add("01001", "B\x8c\x53", "b", kKindDistrict, '0');  // B郡, old
    add("01001B", "C\x91\xba", "c", kKindVillage, '1');  // C村
    add("0101", "D\x8e\x73", "d", kKindCity, '1');       // D市
    add("010101", "E\x8b\xe6", "e", kKindWard, '0');     // E区, old
    HTREEITEM prefecture = build();
    ASSERT_NE(prefecture, nullptr);
    std::vector<HTREEITEM> top = children(prefecture);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(node(top[0]).text, utf8Text("01001A A町(a) "));
    EXPECT_EQ(node(top[0]).image, 5);
    // The old district still collects the village after it.
    EXPECT_EQ(node(top[1]).image, 7);
    ASSERT_EQ(children(top[1]).size(), 1u);
    EXPECT_EQ(node(children(top[1])[0]).image, 6);
    ASSERT_EQ(children(top[2]).size(), 1u);
    EXPECT_EQ(node(children(top[2])[0]).text, utf8Text("010101 E区(e) 【旧】"));
    EXPECT_EQ(node(children(top[2])[0]).image, 7);
    EXPECT_EQ(SendMessageW(gTreeView, TVM_GETCOUNT, 0, 0), 5 + 10 + 47);
}

TEST_F(TreeWalk, LongestTextIsSixtyBytes) {
    // Number of 6, name of 16 and reading of 28 bytes, old: 60 bytes.
    add("01001A", "\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x92\xac",
        "\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0"
        "\x82\xa0",
        kKindTown, '0');
    HTREEITEM prefecture = build();
    ASSERT_EQ(children(prefecture).size(), 1u);
    EXPECT_EQ(node(children(prefecture)[0]).text,
              utf8Text("01001A あああああああ町(ああああああああああああああ) 【旧】"));
}

TEST_F(TreeWalk, FieldWithoutItsNulStopsAtTheFieldEnd) {
    // 17 bytes of name fill the field with no NUL; the reading must not be
    // read as part of the name.
    add("0101", "ABCDEFGHIJKLMNOPQ", "r", kKindCity, '1');
    HTREEITEM prefecture = build();
    ASSERT_EQ(children(prefecture).size(), 1u);
    EXPECT_EQ(node(children(prefecture)[0]).text, utf8Text("  0101 ABCDEFGHIJKLMNOPQ(r) "));
}

TEST_F(TreeWalk, EmptyPrefectureHasNoPlaces) {
    HTREEITEM prefecture = build();
    ASSERT_NE(prefecture, nullptr);
    EXPECT_TRUE(children(prefecture).empty());
    EXPECT_EQ(SendMessageW(gTreeView, TVM_GETCOUNT, 0, 0), 10 + 47);
}

}  // namespace
}  // namespace orvetta::test
