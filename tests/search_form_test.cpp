// The search form model driven through its events against a fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "search/form.h"
#include "tests/sjis.h"
#include "tests/place_list_test.h"

namespace orvetta {
namespace {

using test::sjis;
using test::utf8;

// Models the platform controls: emptying a list empties its text, and nothing
// the program sets is reported back as a user event.
class FakeView : public FormView {
public:
    struct Combo {
        std::vector<std::string> entries;
        std::string text;
    };
    std::map<Field, Combo> fields;
    std::map<Control, std::vector<std::string>> choices;
    std::map<Control, int> positions;
    std::map<Control, bool> enabledControls;
    SearchMode checked = SearchMode::Reading;
    std::string hitCount;
    std::vector<std::string> results;
    int topIndex = 0;
    int cursorDepth = 0;
    int cursorShows = 0;

    void fieldResetList(Field field) override { fields[field] = Combo{}; }
    void fieldAppendEntry(Field field, const char* text) override {
        fields[field].entries.push_back(text);
        if (Fill& fill = fills[field]; fill.open) {
            ++fill.appended;
            fill.appendedBytes += std::string(text).size() + 1;
        }
    }
    // A list fill as announced and as appended; a fill must be closed, and
    // announce exactly the entries and bytes that follow.
    struct Fill {
        bool open = false;
        int announced = 0, appended = 0, fills = 0;
        size_t announcedBytes = 0, appendedBytes = 0;
    };
    std::map<Field, Fill> fills;
    void fieldFillBegin(Field field, int count, size_t bytes) override {
        Fill& fill = fills[field];
        EXPECT_FALSE(fill.open);
        fill = Fill{true, count, 0, fill.fills + 1, bytes, 0};
    }
    void fieldFillEnd(Field field) override {
        Fill& fill = fills[field];
        EXPECT_TRUE(fill.open);
        fill.open = false;
        EXPECT_EQ(fill.announced, fill.appended) << static_cast<int>(field);
        EXPECT_EQ(fill.announcedBytes, fill.appendedBytes) << static_cast<int>(field);
        EXPECT_EQ(fill.appended, static_cast<int>(fields[field].entries.size())) << static_cast<int>(field);
    }
    void fieldSetText(Field field, const char* text) override { fields[field].text = text; }
    void choiceAppend(Control choice, const char* label) override { choices[choice].push_back(label); }
    void choiceReset(Control choice) override { choices[choice].clear(); }
    void choiceSetPosition(Control choice, int position) override { positions[choice] = position; }
    void modeSetChecked(SearchMode mode) override { checked = mode; }
    void controlEnable(Control control, bool enabled) override { enabledControls[control] = enabled; }
    void hitCountSetText(const char* text) override { hitCount = text; }
    void resultsAppend(const char* line) override { results.push_back(line); }
    void resultsReset() override { results.clear(), topIndex = 0; }
    void resultsScrollToEnd() override { topIndex = results.empty() ? 0 : static_cast<int>(results.size()) - 1; }
    void waitCursorBegin() override { ++cursorDepth, ++cursorShows; }
    void waitCursorEnd() override { --cursorDepth; }

    // What the user does: the platform switches a radio pair before it reports
    // the click, and puts a chosen entry into the field's text.
    void clickMode(SearchForm& form, SearchMode mode) {
        checked = mode;
        form.modeClicked(mode);
    }
    void select(SearchForm& form, Field field, int entry) {
        fields[field].text = fields[field].entries.at(entry);
        form.fieldSelected(field, entry);
    }
    void type(SearchForm& form, Field field, const std::string& utf8Text) {
        fields[field].text = sjis(utf8Text);
        form.fieldEdited(field, fields[field].text.c_str());
    }
    // The search, with the texts the fields show now.
    void search(SearchForm& form) {
        form.search({fields[Field::Number].text, fields[Field::City].text, fields[Field::Ward].text});
    }
};

class SearchFormTest : public test::PlaceListTest {
protected:
    void SetUp() override {
        PlaceListTest::SetUp();
        if (HasFatalFailure()) return;
        form.initialise();
    }

    bool on(Control control) { return view.enabledControls.at(control); }
    int entries(Field field) { return static_cast<int>(view.fields[field].entries.size()); }
    std::string hit() { return utf8(view.hitCount); }

    // Every enabling the view shows agrees with the model's, and the model's
    // texts with the view's fields.
    void expectViewMatchesModel() {
        for (Control control : kEnabledControls) {
            if (!view.enabledControls.count(control)) continue;
            EXPECT_EQ(view.enabledControls[control], form.enabled(control)) << static_cast<int>(control);
        }
        for (Field field : {Field::Number, Field::City, Field::Ward}) {
            EXPECT_EQ(view.fields[field].text, form.fieldText(field)) << static_cast<int>(field);
            EXPECT_EQ(entries(field), static_cast<int>(form.fieldRecords(field).size()));
        }
        EXPECT_EQ(view.checked, form.mode());
        EXPECT_EQ(view.results.size(), static_cast<size_t>(form.results().count()));
        EXPECT_EQ(view.cursorDepth, 0);
    }

    static int cityKindCount(int first, int last) {
        int n = 0;
        for (int i = first; i <= last; ++i)
            n += places.records[i].kind == kKindCity || places.records[i].kind == kKindDistrict;
        return n;
    }

    FakeView view;
    SearchForm form{places, view};
};

TEST_F(SearchFormTest, EveryListFillAnnouncesItsEntriesAndBytes) {
    // The view's checks run at each fill's end: initial fill, a prefecture,
    // an area, the reading mode, clear all.
    form.prefectureChanged(13);
    form.areaChanged(3);
    view.clickMode(form, SearchMode::Reading);
    form.clearAll();
    for (Field field : {Field::Number, Field::City, Field::Ward}) {
        EXPECT_FALSE(view.fills[field].open);
        EXPECT_GE(view.fills[field].fills, field == Field::Number ? 4 : 5) << static_cast<int>(field);
    }
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, InitialiseFillsEverythingFromTheWholeDictionary) {
    EXPECT_EQ(view.checked, SearchMode::Kanji);
    EXPECT_FALSE(view.enabledControls.at(Control::Search));
    EXPECT_EQ(entries(Field::Number), places.count());
    EXPECT_EQ(entries(Field::City), 1318);
    EXPECT_EQ(entries(Field::Ward), 2767);
    EXPECT_EQ(utf8(view.fields[Field::City].entries[0]), "札幌市");
    EXPECT_EQ(view.fields[Field::Number].entries.back(), places.records[places.count() - 1].number);
    ASSERT_EQ(view.choices[Control::Area].size(), 11u);
    EXPECT_EQ(utf8(view.choices[Control::Area][10]), "０");
    ASSERT_EQ(view.choices[Control::Prefecture].size(), 48u);  // row 48 is not offered
    EXPECT_EQ(utf8(view.choices[Control::Prefecture][47]), "沖縄県");
    EXPECT_EQ(view.positions[Control::Area], 0);
    EXPECT_EQ(view.positions[Control::Prefecture], 0);
    EXPECT_EQ(hit(), "0 件");
    EXPECT_TRUE(view.results.empty());
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, SearchWithNothingGivenShowsTheNoHitLine) {
    view.search(form);  // menu 109 while the button is disabled
    ASSERT_EQ(view.results.size(), 1u);
    EXPECT_EQ(utf8(view.results[0]), "合致する地名がありません");
    EXPECT_EQ(hit(), "0 件      ");
    EXPECT_EQ(view.cursorShows, 1);
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, PrefectureChoiceSetsTheScopeAndLocksTheArea) {
    view.type(form, Field::City, "札幌");
    form.prefectureChanged(10);  // 東京都
    EXPECT_EQ(view.positions[Control::Area], 0);
    EXPECT_FALSE(on(Control::Area));
    EXPECT_TRUE(on(Control::Prefecture));
    EXPECT_EQ(entries(Field::Number), places.prefectureTable[10].last - places.prefectureTable[10].first + 1);
    EXPECT_EQ(view.fields[Field::Number].entries[0], "1001");
    EXPECT_EQ(view.fields[Field::City].text, "");
    EXPECT_FALSE(form.cityGiven());
    EXPECT_FALSE(on(Control::Search));
    expectViewMatchesModel();

    form.prefectureChanged(0);
    EXPECT_TRUE(on(Control::Area));
    EXPECT_EQ(entries(Field::Number), places.count());
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, AreaChoiceResetsThePrefectureAndLeavesItOpen) {
    form.prefectureChanged(5);
    form.areaChanged(1);
    EXPECT_EQ(form.prefecturePosition(), 0);
    EXPECT_EQ(view.positions[Control::Prefecture], 0);
    EXPECT_TRUE(on(Control::Prefecture));
    EXPECT_TRUE(on(Control::Area));
    EXPECT_EQ(entries(Field::Number), places.areaTable[1].last - places.areaTable[1].first + 1);

    form.prefectureChanged(11);  // 神奈川県
    EXPECT_EQ(form.areaPosition(), 0);
    EXPECT_EQ(view.positions[Control::Area], 0);
    EXPECT_FALSE(on(Control::Area));
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, ModeChangeRefillsTheScopesNamesInTheNewMode) {
    form.areaChanged(1);
    view.clickMode(form, SearchMode::Reading);
    const AreaRow area = places.areaTable[1];
    EXPECT_EQ(entries(Field::City), cityKindCount(area.first, area.last));
    EXPECT_EQ(view.fields[Field::City].entries[0], places.records[area.first].reading);
    EXPECT_EQ(entries(Field::Ward) + entries(Field::City), area.last - area.first + 1);
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, NameFieldTextLocksTheOtherFields) {
    view.type(form, Field::City, "札");
    EXPECT_FALSE(on(Control::Number));
    EXPECT_FALSE(on(Control::Ward));
    EXPECT_TRUE(on(Control::Search));
    EXPECT_TRUE(on(Control::Kanji));
    view.type(form, Field::City, "");
    EXPECT_TRUE(on(Control::Number));
    EXPECT_TRUE(on(Control::Ward));
    EXPECT_FALSE(on(Control::Search));

    view.select(form, Field::Ward, 0);
    EXPECT_TRUE(form.wardGiven());
    EXPECT_EQ(utf8(form.fieldText(Field::Ward)), "中央区");
    EXPECT_FALSE(on(Control::Number));
    EXPECT_FALSE(on(Control::City));
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, NumberLocksModesAndNamesButTheMenuStillSwitches) {
    view.select(form, Field::Number, 0);
    EXPECT_FALSE(on(Control::Kanji));
    EXPECT_FALSE(on(Control::Reading));
    EXPECT_FALSE(on(Control::City));
    EXPECT_FALSE(on(Control::Ward));
    EXPECT_TRUE(on(Control::Search));

    form.modeCommand(SearchMode::Reading);  // menu 221
    EXPECT_EQ(view.checked, SearchMode::Reading);
    EXPECT_EQ(utf8(view.fields[Field::City].entries[0]), "さっぽろし");
    EXPECT_TRUE(form.numberGiven());
    EXPECT_EQ(view.fields[Field::Number].text, "0101");
    EXPECT_FALSE(on(Control::City));
    EXPECT_FALSE(on(Control::Kanji));
    form.modeCommand(SearchMode::Kanji);  // menu 220
    EXPECT_EQ(view.checked, SearchMode::Kanji);
    EXPECT_EQ(utf8(view.fields[Field::City].entries[0]), "札幌市");
    expectViewMatchesModel();

    view.search(form);
    EXPECT_EQ(utf8(view.results.back()), "0101\t北海道札幌市(さっぽろし)");
}

TEST_F(SearchFormTest, ModeChangeEmptiesNameFieldsAndEndsTheirPart) {
    view.type(form, Field::Ward, "北区");
    form.modeCommand(SearchMode::Kanji);  // the mode that is already on
    EXPECT_EQ(view.fields[Field::Ward].text, "");
    EXPECT_FALSE(form.wardGiven());
    EXPECT_FALSE(on(Control::Search));
    EXPECT_TRUE(on(Control::Number));
    EXPECT_TRUE(on(Control::City));

    view.type(form, Field::City, "札幌");
    view.clickMode(form, SearchMode::Reading);
    EXPECT_EQ(view.fields[Field::City].text, "");
    EXPECT_FALSE(form.cityGiven());
    // The next search has nothing to search rather than every city.
    view.search(form);
    EXPECT_EQ(view.results.size(), 1u);
    EXPECT_EQ(hit(), "0 件      ");
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, PickedNumberIsAPositionInTheScope) {
    form.prefectureChanged(10);
    view.select(form, Field::Number, 2);
    view.search(form);
    ASSERT_EQ(view.results.size(), 1u);
    EXPECT_EQ(utf8(view.results[0]), "100102\t東京都中央区(ちゅうおうく)");
    EXPECT_EQ(hit(), "1 件    ");
}

TEST_F(SearchFormTest, TypedNumberReplacesAPickedOne) {
    view.select(form, Field::Number, 0);
    view.type(form, Field::Number, "01001a");
    EXPECT_EQ(form.numberEntry(), kNoEntry);
    view.search(form);
    EXPECT_EQ(view.results.back().substr(0, 7), "01001A\t");
    form.prefectureChanged(10);
    view.type(form, Field::Number, "0101");  // exists, but outside the scope
    view.search(form);
    EXPECT_EQ(utf8(view.results.back()), "合致する地名がありません");
    EXPECT_EQ(hit(), "0 件      ");
}

// The platform may change a field's text without a notification (a combo
// box's list opened from the keyboard fills the field); the search uses what
// the field shows, and a picked number only while the field still shows it.
TEST_F(SearchFormTest, SearchUsesTheTextsTheFieldsShow) {
    struct Row {
        const char* phrase;
        Field field;
        int picked;         // entry picked first, or kNoEntry to type `typed`
        const char* typed;  // UTF-8
        const char* shown;  // the field's text at the search, set unnoticed
        const char* line;   // the one line the search appends
    };
    const Row rows[] = {
        {"picked, still shown", Field::Number, 0, "", "0101", "0101\t北海道札幌市(さっぽろし)"},
        {"picked, another shown", Field::Number, 0, "", "0102", "0102\t北海道旭川市(あさひかわし)"},
        {"picked, then emptied", Field::Number, 0, "", "", "合致する地名がありません"},
        {"typed, list filled", Field::Number, kNoEntry, "01", "0101", "0101\t北海道札幌市(さっぽろし)"},
        {"typed name, list filled", Field::City, kNoEntry, "札", "札幌市", "0101\t北海道札幌市(さっぽろし)"},
    };
    for (const Row& row : rows) {
        form.clearAll();
        if (row.picked != kNoEntry)
            view.select(form, row.field, row.picked);
        else
            view.type(form, row.field, row.typed);
        view.fields[row.field].text = sjis(row.shown);
        view.search(form);
        ASSERT_EQ(view.results.size(), 1u) << row.phrase;
        EXPECT_EQ(utf8(view.results[0]), row.line) << row.phrase;
    }
}

TEST_F(SearchFormTest, SearchesAccumulateAndOnlyHitsScroll) {
    view.type(form, Field::Ward, "北区");
    view.search(form);
    EXPECT_EQ(hit(), "9 件    ");
    EXPECT_EQ(view.topIndex, 8);
    view.type(form, Field::Ward, "千代田区");
    view.search(form);
    EXPECT_EQ(hit(), "1 件    ");
    ASSERT_EQ(view.results.size(), 10u);
    EXPECT_EQ(view.topIndex, 9);
    view.type(form, Field::Ward, "存在しない");
    view.search(form);
    EXPECT_EQ(view.results.size(), 11u);
    EXPECT_EQ(utf8(view.results.back()), "合致する地名がありません");
    EXPECT_EQ(view.topIndex, 9);  // not scrolled
    EXPECT_EQ(hit(), "0 件      ");
    EXPECT_EQ(view.cursorShows, 3);
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, ClearResultsKeepsTheForm) {
    form.areaChanged(3);
    view.clickMode(form, SearchMode::Reading);
    view.type(form, Field::City, "きょうと");
    view.search(form);
    form.clearResults();
    EXPECT_TRUE(view.results.empty());
    EXPECT_EQ(hit(), "0 件      ");
    EXPECT_EQ(form.areaPosition(), 3);
    EXPECT_TRUE(form.cityGiven());
    EXPECT_EQ(utf8(form.fieldText(Field::City)), "きょうと");
    EXPECT_TRUE(on(Control::Search));
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, ClearAllResetsEverythingButTheMode) {
    form.prefectureChanged(10);
    view.clickMode(form, SearchMode::Reading);
    view.select(form, Field::Number, 1);
    view.search(form);
    form.clearAll();
    EXPECT_EQ(form.mode(), SearchMode::Reading);
    EXPECT_EQ(form.prefecturePosition(), 0);
    EXPECT_EQ(view.positions[Control::Prefecture], 0);
    EXPECT_EQ(view.positions[Control::Area], 0);
    EXPECT_FALSE(form.numberGiven());
    EXPECT_EQ(form.numberEntry(), kNoEntry);
    EXPECT_TRUE(view.results.empty());
    EXPECT_EQ(hit(), "0 件      ");
    EXPECT_EQ(entries(Field::Number), places.count());
    EXPECT_EQ(utf8(view.fields[Field::City].entries[0]), "さっぽろし");
    for (Control control : kEnabledControls) EXPECT_EQ(on(control), control != Control::Search);
    EXPECT_EQ(view.cursorShows, 2);
    expectViewMatchesModel();
}

TEST_F(SearchFormTest, ResultSelectionOnlyReappliesTheEnabling) {
    view.type(form, Field::City, "札幌");
    view.enabledControls.clear();
    form.resultsSelectionChanged();
    EXPECT_TRUE(on(Control::Search));
    EXPECT_FALSE(on(Control::Ward));
    EXPECT_TRUE(form.cityGiven());
}

TEST_F(SearchFormTest, LongTypedTextsAreCutLikeTheSearchReadsThem) {
    view.type(form, Field::City, std::string(30, 'x') + "札幌札幌札幌札幌");
    EXPECT_EQ(std::string(form.fieldText(Field::City)).size(), 44u);
    view.type(form, Field::City, "");
    view.type(form, Field::Number, "01001A0123456789");
    EXPECT_EQ(std::string(form.fieldText(Field::Number)).size(), 15u);
}

// The English face: romaji lists and choices, English counts and lines, a
// picked romaji entry found in kanji mode; switching keeps the typed text and
// the lines already listed.
TEST_F(SearchFormTest, LanguageSwitchRelabelsEverythingButListedLines) {
    view.type(form, Field::City, "札幌");
    view.search(form);
    form.setLanguage(Language::English);
    EXPECT_EQ(view.choices[Control::Area][0], "All");
    EXPECT_EQ(view.choices[Control::Area][10], "0");
    EXPECT_EQ(view.choices[Control::Prefecture][1], "Hokkaido");
    EXPECT_EQ(view.fields[Field::City].entries[0], "Sapporo-shi");
    EXPECT_EQ(utf8(view.fields[Field::City].text), "札幌");
    EXPECT_TRUE(form.cityGiven());
    EXPECT_EQ(hit(), "2 found");  // 札幌市 and 札幌郡
    EXPECT_EQ(utf8(view.results[0]), "0101\t北海道札幌市(さっぽろし)");
    expectViewMatchesModel();

    view.type(form, Field::City, "");
    view.select(form, Field::City, 0);
    EXPECT_EQ(form.mode(), SearchMode::Kanji);
    view.search(form);
    EXPECT_EQ(utf8(view.results.back()), "0101\tSapporo-shi, Hokkaido (札幌市)");
    // An entry whose romaji name is no romaji query still finds its place.
    const auto& names = view.fields[Field::City].entries;
    const int abuta = static_cast<int>(std::find(names.begin(), names.end(), "Abuta-gun (Iburi)") - names.begin());
    ASSERT_LT(abuta, entries(Field::City));
    view.type(form, Field::City, "");
    view.select(form, Field::City, abuta);
    view.search(form);
    EXPECT_EQ(utf8(view.results.back()).substr(0, 25), "01007\tAbuta-gun (Iburi), ");
    form.setLanguage(Language::Japanese);
    EXPECT_EQ(utf8(view.choices[Control::Area][0]), "すべて");
    EXPECT_EQ(hit(), "1 件    ");
    expectViewMatchesModel();
}

}  // namespace
}  // namespace orvetta
