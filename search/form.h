// The search form as a model with no window code: scope positions, the three
// "given" flags, the search mode, the contents of the three field lists, the
// field texts, the derived enabling, the hit count text and the result lines.
//
// Events come in through the SearchForm methods; everything the platform must
// show goes out through a FormView. The model never reads anything back from
// the view: texts arrive with the events, so it holds the whole state itself.
// A search event carries the texts the fields show at that moment, since a
// combo box changes its text on some keys without telling anyone.
//
// Platform behaviours the model relies on, which a FormView must provide:
// - fieldResetList() empties the field's list AND its text;
// - choiceSetPosition() and fieldResetList()/fieldSetText() start no change
//   event (the binding must not feed them back as user events);
// - mode buttons are a radio pair: a click has already switched them when
//   modeClicked() arrives.
#pragma once

#include <string>
#include <vector>

#include "search/engine.h"
#include "text/language.h"

namespace orvetta {

// Controls of the form; the values are the control ids.
enum class Control : int {
    Kanji = 101,
    Reading = 102,
    Number = 104,
    City = 105,
    Ward = 106,
    Prefecture = 107,
    Area = 108,
    Search = 109,
    ClearAll = 110,
    Results = 111,
    ClearResults = 112,
};

// The three editable fields with drop-down lists (values are control ids).
enum class Field : int {
    Number = static_cast<int>(Control::Number),  // number field: the scope's numbers
    City = static_cast<int>(Control::City),      // city/district field: names of kinds 4 and 5
    Ward = static_cast<int>(Control::Ward),      // ward/town/village field: names of the other kinds
};

// Controls whose enabling the form decides, in the order it applies them.
constexpr Control kEnabledControls[] = {
    Control::Kanji, Control::Reading, Control::Number,   Control::City,    Control::Ward,         Control::Prefecture,
    Control::Area,  Control::Search,  Control::ClearAll, Control::Results, Control::ClearResults,
};

// Output side: one call per platform operation. All text is Shift-JIS.
class FormView {
public:
    virtual ~FormView() = default;
    // Empty a field's list; this also empties the field's text.
    virtual void fieldResetList(Field field) = 0;
    // Append one entry at the end of a field's list.
    virtual void fieldAppendEntry(Field field, const char* text) = 0;
    // Around the appends of one list fill: the number of entries and their
    // bytes (NULs included) that follow. A view may hold the appends until
    // fieldFillEnd() and add them at once; the texts stay valid until then.
    virtual void fieldFillBegin(Field, int /*count*/, size_t /*bytes*/) {}
    virtual void fieldFillEnd(Field) {}
    // Replace a field's text (used to empty it).
    virtual void fieldSetText(Field field, const char* text) = 0;
    // Append a label to a choice (Control::Area or Control::Prefecture).
    virtual void choiceAppend(Control choice, const char* label) = 0;
    // Empty a choice's list (its labels are made again in another language).
    virtual void choiceReset(Control) {}
    // Select a position in a choice; starts no change event.
    virtual void choiceSetPosition(Control choice, int position) = 0;
    // Switch the given mode button on and the other off.
    virtual void modeSetChecked(SearchMode mode) = 0;
    virtual void controlEnable(Control control, bool enabled) = 0;
    virtual void hitCountSetText(const char* text) = 0;
    virtual void resultsAppend(const char* line) = 0;
    virtual void resultsReset() = 0;
    // Show the last line of the result list.
    virtual void resultsScrollToEnd() = 0;
    // Wait cursor on; waitCursorEnd() restores the cursor shown before.
    virtual void waitCursorBegin() = 0;
    virtual void waitCursorEnd() = 0;
};

// The three field texts as the platform shows them when a search starts
// (Shift-JIS, as the view read them). A combo box whose list is opened from
// the keyboard fills its field from the list without a change notification,
// so the last notified text may be stale.
struct FieldTexts {
    std::string number;
    std::string city;
    std::string ward;
};

class SearchForm {
public:
    // The form searches and lists `places`, which must outlive it; a list
    // rebuilt in place takes effect with the next initialise(). Its texts are
    // in `language` until setLanguage().
    SearchForm(const PlaceList& places, FormView& view, Language language = Language::Japanese)
        : places_(places), view_(view), language_(language) {}

    // --- events in ---
    // Once, after the dictionary and the update file are loaded.
    void initialise();
    // A new position chosen by the user in the call-area / prefecture choice.
    void areaChanged(int position);
    void prefectureChanged(int position);
    // The user picked entry `entry` of a field's list (CBN_SELCHANGE).
    void fieldSelected(Field field, int entry);
    // The user edited a field's text (CBN_EDITCHANGE); text is the new text.
    void fieldEdited(Field field, const char* text);
    // A mode button was clicked (the platform has already switched the pair).
    void modeClicked(SearchMode mode);
    // Menu command 220 (kanji) or 221 (reading).
    void modeCommand(SearchMode mode);
    // Search button or menu command 109 (also while the button is disabled),
    // with the texts the three fields show now. A picked number entry counts
    // only while the number field still shows that entry's text.
    void search(const FieldTexts& shown);
    // Clear-all button or menu command 110.
    void clearAll();
    // Clear-results button or menu command 112.
    void clearResults();
    // The texts the form shows from now on are in `language`: the choices,
    // the name lists, the hit count, and the lines of later searches (lines
    // already listed stay). Typed texts and the given flags stay.
    void setLanguage(Language language);
    // The selection of the result list changed: only the enabling is applied.
    void resultsSelectionChanged();

    // --- state out ---
    int areaPosition() const { return areaPosition_; }
    int prefecturePosition() const { return prefecturePosition_; }
    Scope scope() const { return scopeOf(places_, prefecturePosition_, areaPosition_); }
    bool numberGiven() const { return numberGiven_; }
    bool cityGiven() const { return cityGiven_; }
    bool wardGiven() const { return wardGiven_; }
    SearchMode mode() const { return mode_; }
    Language language() const { return language_; }
    // Current text of a field, and the chosen number entry (kNoEntry if none).
    const char* fieldText(Field field) const;
    int numberEntry() const { return numberEntry_; }
    // List contents as record indices, in list order.
    const std::vector<int>& fieldRecords(Field field) const;
    // Text of entry `entry` of a field's list (number, kanji or reading).
    const char* fieldEntryText(Field field, int entry) const;
    bool enabled(Control control) const;
    const char* hitCountText() const { return hitCountText_.c_str(); }
    const ResultList& results() const { return results_; }
    // The request the next search would run.
    SearchRequest request() const;

private:
    void fillNumberList(Scope range);
    void fillNameLists(Scope range);
    void refillNameLists() { fillNameLists(scope()); }
    void changeMode(SearchMode mode);
    void takeShownTexts(const FieldTexts& shown);
    void searchRomajiNames(SearchRequest& request) const;
    void changeScope(Scope range, Control otherChoice);
    void clearFlags();
    void applyEnabling();
    void appendChoices();
    void setHitCount(int found);
    void setFieldText(Field field, const char* text);
    static int slot(Field field);

    const PlaceList& places_;
    FormView& view_;
    int areaPosition_ = 0;
    int prefecturePosition_ = 0;
    bool numberGiven_ = false;
    bool cityGiven_ = false;
    bool wardGiven_ = false;
    SearchMode mode_ = SearchMode::Kanji;
    Language language_ = Language::Japanese;
    int hitCount_ = kHitCountInitial;  // the last search's count, or one of these
    static constexpr int kHitCountInitial = -1;
    int numberEntry_ = kNoEntry;
    char numberText_[kNumberTextSize] = {};
    char cityText_[kNameTextSize] = {};
    char wardText_[kNameTextSize] = {};
    std::vector<int> lists_[3];                // record indices: number, city, ward lists
    std::vector<std::string> romajiNames_[2];  // English face: the city and ward lists' entries
    std::string hitCountText_;
    ResultList results_;
};

}  // namespace orvetta
