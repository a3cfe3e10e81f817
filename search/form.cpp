#include "search/form.h"

#include <cstdio>
#include <cstring>

#include "search/result_line.h"
#include "search/romaji_name.h"
#include "text/texts.h"

namespace orvetta {

int SearchForm::slot(Field field) { return static_cast<int>(field) - static_cast<int>(Field::Number); }

namespace {

// A name typed in Latin letters (with hyphens, apostrophes and spaces), as an
// entry of the English face's lists reads.
bool isLatinName(const char* text) {
    bool letter = false;
    for (const char* p = text; *p; ++p) {
        const char c = *p;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            letter = true;
        else if (c != '-' && c != '\'' && c != ' ')
            return false;
    }
    return letter;
}

}  // namespace

// ----- lists -----

void SearchForm::fillNumberList(Scope range) {
    std::vector<int>& list = lists_[slot(Field::Number)];
    list.clear();
    numberEntry_ = kNoEntry;
    numberText_[0] = '\0';
    view_.fieldResetList(Field::Number);
    size_t bytes = 0;
    for (int i = range.first; i <= range.last; ++i)
        bytes += strnlen(places_.records[i].number, sizeof places_.records[i].number) + 1;
    view_.fieldFillBegin(Field::Number, range.last - range.first + 1, bytes);
    for (int i = range.first; i <= range.last; ++i) {
        list.push_back(i);
        view_.fieldAppendEntry(Field::Number, places_.records[i].number);
    }
    view_.fieldFillEnd(Field::Number);
}

void SearchForm::fillNameLists(Scope range) {
    std::vector<int>& cities = lists_[slot(Field::City)];
    std::vector<int>& wards = lists_[slot(Field::Ward)];
    cities.clear();
    wards.clear();
    cityText_[0] = '\0';
    wardText_[0] = '\0';
    view_.fieldResetList(Field::City);
    view_.fieldResetList(Field::Ward);
    const bool reading = mode_ == SearchMode::Reading;
    // The English face lists every name in romaji, in either mode.
    const bool romaji = language_ == Language::English;
    auto fieldOf = [](const PlaceRecord& r) {
        return (r.kind == kKindCity || r.kind == kKindDistrict) ? Field::City : Field::Ward;
    };
    for (std::vector<std::string>& names : romajiNames_) names.clear();
    int counts[3] = {};
    size_t bytes[3] = {};
    for (int i = range.first; i <= range.last; ++i) {
        const PlaceRecord& r = places_.records[i];
        const int s = slot(fieldOf(r));
        ++counts[s];
        if (romaji) {
            romajiNames_[s - 1].push_back(romajiName(r));
            bytes[s] += romajiNames_[s - 1].back().size() + 1;
        } else {
            bytes[s] += (reading ? strnlen(r.reading, sizeof r.reading) : strnlen(r.kanji, sizeof r.kanji)) + 1;
        }
    }
    for (Field field : {Field::City, Field::Ward}) view_.fieldFillBegin(field, counts[slot(field)], bytes[slot(field)]);
    for (int i = range.first; i <= range.last; ++i) {
        Field field = fieldOf(places_.records[i]);
        lists_[slot(field)].push_back(i);
        view_.fieldAppendEntry(field, fieldEntryText(field, static_cast<int>(lists_[slot(field)].size()) - 1));
    }
    for (Field field : {Field::City, Field::Ward}) view_.fieldFillEnd(field);
}

const std::vector<int>& SearchForm::fieldRecords(Field field) const { return lists_[slot(field)]; }

const char* SearchForm::fieldEntryText(Field field, int entry) const {
    const PlaceRecord& r = places_.records[lists_[slot(field)][entry]];
    if (field == Field::Number) return r.number;
    if (language_ == Language::English) return romajiNames_[slot(field) - 1][static_cast<size_t>(entry)].c_str();
    return mode_ == SearchMode::Reading ? r.reading : r.kanji;
}

const char* SearchForm::fieldText(Field field) const {
    switch (field) {
    case Field::Number: return numberText_;
    case Field::City: return cityText_;
    case Field::Ward: return wardText_;
    }
    return "";
}

void SearchForm::setFieldText(Field field, const char* text) {
    switch (field) {
    case Field::Number: copyCut(numberText_, sizeof numberText_, text); break;
    case Field::City: copyCut(cityText_, sizeof cityText_, text); break;
    case Field::Ward: copyCut(wardText_, sizeof wardText_, text); break;
    }
}

// ----- flags and enabling -----

void SearchForm::clearFlags() { numberGiven_ = cityGiven_ = wardGiven_ = false; }

bool SearchForm::enabled(Control control) const {
    switch (control) {
    case Control::Search: return numberGiven_ || cityGiven_ || wardGiven_;
    case Control::Number: return !cityGiven_ && !wardGiven_;
    case Control::City: return !numberGiven_ && !wardGiven_;
    case Control::Ward: return !numberGiven_ && !cityGiven_;
    case Control::Kanji:
    case Control::Reading: return !numberGiven_;
    case Control::Area: return prefecturePosition_ == 0;
    case Control::Prefecture:
    case Control::Results:
    case Control::ClearAll:
    case Control::ClearResults: return true;
    }
    return true;
}

void SearchForm::applyEnabling() {
    for (Control control : kEnabledControls) view_.controlEnable(control, enabled(control));
}

// -1 (kHitCountInitial) before any search, 0 after one without a hit or a
// clear, otherwise the places found.
void SearchForm::setHitCount(int found) {
    hitCount_ = found;
    if (found == kHitCountInitial)
        hitCountText_ = textOf(TextId::HitCountInitial, language_);
    else if (found == 0)
        hitCountText_ = textOf(TextId::HitCountNone, language_);
    else
        hitCountText_ = formatText(TextId::HitCountFound, language_, found);
    view_.hitCountSetText(hitCountText_.c_str());
}

// The call areas are "すべて", "１" ... "０" in Japanese and "All", "1" ...
// "0" in English; the prefectures are named as the face names them.
void SearchForm::appendChoices() {
    const bool english = language_ == Language::English;
    for (int row = 0; row < kAreaRows; ++row) {
        const char* label = !english   ? kAreaChoiceLabels[row]
                            : row == 0 ? prefectureLabel(places_.prefectureTable[0], language_)
                                       : kAreaCaptions[row - 1].area;
        view_.choiceAppend(Control::Area, label);
    }
    for (int row = 0; row <= kLastPrefectureRow; ++row)
        view_.choiceAppend(Control::Prefecture, prefectureLabel(places_.prefectureTable[row], language_));
}

// ----- events -----

void SearchForm::initialise() {
    mode_ = SearchMode::Kanji;
    view_.modeSetChecked(SearchMode::Kanji);
    view_.controlEnable(Control::Search, false);
    areaPosition_ = 0;
    prefecturePosition_ = 0;
    clearFlags();
    fillNumberList(scopeOf(places_, 0, 0));
    fillNameLists(scopeOf(places_, 0, 0));
    appendChoices();
    view_.choiceSetPosition(Control::Area, 0);
    view_.choiceSetPosition(Control::Prefecture, 0);
    setHitCount(kHitCountInitial);
    results_.clear();
}

void SearchForm::areaChanged(int position) {
    if (position < 0 || position >= kAreaRows) return;
    areaPosition_ = position;
    prefecturePosition_ = 0;
    changeScope({places_.areaTable[position].first, places_.areaTable[position].last}, Control::Prefecture);
}

void SearchForm::prefectureChanged(int position) {
    if (position < 0 || position > kLastPrefectureRow) return;
    prefecturePosition_ = position;
    areaPosition_ = 0;
    changeScope({places_.prefectureTable[position].first, places_.prefectureTable[position].last}, Control::Area);
}

// The rest of a scope change: both lists show the new range, the other
// choice goes back to "all" (set from the program, so it starts no event of
// its own), and no field takes part in the next search.
void SearchForm::changeScope(Scope range, Control otherChoice) {
    fillNumberList(range);
    fillNameLists(range);
    view_.choiceSetPosition(otherChoice, 0);
    clearFlags();
    applyEnabling();
}

void SearchForm::fieldSelected(Field field, int entry) {
    const bool valid = entry >= 0 && entry < static_cast<int>(lists_[slot(field)].size());
    if (valid) setFieldText(field, fieldEntryText(field, entry));
    switch (field) {
    case Field::Number:
        numberGiven_ = true;
        numberEntry_ = valid ? entry : kNoEntry;
        break;
    case Field::City: cityGiven_ = true; break;
    case Field::Ward: wardGiven_ = true; break;
    }
    applyEnabling();
}

void SearchForm::fieldEdited(Field field, const char* text) {
    setFieldText(field, text);
    const bool given = fieldText(field)[0] != '\0';
    switch (field) {
    case Field::Number:
        numberGiven_ = given;
        // Typed text now decides; the typed number is looked up at search.
        numberEntry_ = kNoEntry;
        break;
    case Field::City: cityGiven_ = given; break;
    case Field::Ward: wardGiven_ = given; break;
    }
    applyEnabling();
}

// Refilling the name lists empties both name fields. The platform reports no
// edit for a text the program empties, so the emptied fields also leave the
// next search here: otherwise a search right after a mode change would run
// with an empty text and list every record of the field's kinds. The number
// field and its flag are untouched.
void SearchForm::changeMode(SearchMode mode) {
    mode_ = mode;
    refillNameLists();
    cityGiven_ = false;
    wardGiven_ = false;
    applyEnabling();
}

void SearchForm::modeClicked(SearchMode mode) { changeMode(mode); }

void SearchForm::modeCommand(SearchMode mode) {
    view_.modeSetChecked(mode);
    changeMode(mode);
}

SearchRequest SearchForm::request() const {
    SearchRequest request;
    request.prefecturePosition = prefecturePosition_;
    request.areaPosition = areaPosition_;
    request.numberGiven = numberGiven_;
    request.cityGiven = cityGiven_;
    request.wardGiven = wardGiven_;
    request.numberEntry = numberEntry_;
    request.setNumberText(numberText_);
    request.setCityText(cityText_);
    request.setWardText(wardText_);
    request.searchMode = mode_;
    request.language = language_;
    if (language_ == Language::English) searchRomajiNames(request);
    return request;
}

// The English face lists names in romaji. A field that shows an entry of its
// list searches for that entry's own reading (a romaji name with brackets or
// digits, "Uryu-gun (Sorachi)", is no query the romaji search reads); any
// other name in Latin letters can only be a reading, so it is searched as one
// in either mode.
void SearchForm::searchRomajiNames(SearchRequest& request) const {
    for (Field field : {Field::City, Field::Ward}) {
        const char* text = fieldText(field);
        if (!*text) continue;
        const std::vector<std::string>& names = romajiNames_[slot(field) - 1];
        for (size_t entry = 0; entry < names.size(); ++entry) {
            if (names[entry] != text) continue;
            const PlaceRecord& r = places_.records[lists_[slot(field)][entry]];
            const bool hasReading = r.reading[0] != '\0';
            const std::string own = hasReading ? std::string(r.reading, strnlen(r.reading, sizeof r.reading))
                                               : std::string(r.kanji, strnlen(r.kanji, sizeof r.kanji));
            if (field == Field::City)
                request.setCityText(own.c_str());
            else
                request.setWardText(own.c_str());
            request.searchMode = hasReading ? SearchMode::Reading : SearchMode::Kanji;
            return;
        }
        if (isLatinName(text)) request.searchMode = SearchMode::Reading;
    }
}

// The fields' texts as shown replace the notified ones. A picked number
// entry stays only while its text is what the field shows; after any other
// change the typed text decides (looked up in the number list at search).
void SearchForm::takeShownTexts(const FieldTexts& shown) {
    setFieldText(Field::Number, shown.number.c_str());
    setFieldText(Field::City, shown.city.c_str());
    setFieldText(Field::Ward, shown.ward.c_str());
    if (numberEntry_ == kNoEntry) return;
    const char* entry = fieldEntryText(Field::Number, numberEntry_);
    const size_t cb = strnlen(entry, sizeof(PlaceRecord::number));
    if (std::strlen(numberText_) != cb || std::memcmp(numberText_, entry, cb) != 0) numberEntry_ = kNoEntry;
}

void SearchForm::search(const FieldTexts& shown) {
    takeShownTexts(shown);
    view_.waitCursorBegin();
    const int before = results_.count();
    const int found = runSearch(places_, request(), results_);
    for (int i = before; i < results_.count(); ++i) view_.resultsAppend(results_.line(i));
    if (found >= 1) {
        setHitCount(found);
        view_.resultsScrollToEnd();
    } else {
        const char* none = noMatchText(language_);
        results_.append(none);
        view_.resultsAppend(none);
        setHitCount(0);
    }
    view_.waitCursorEnd();
}

void SearchForm::clearAll() {
    view_.waitCursorBegin();
    clearFlags();
    // Only the search button is off once the flags are clear and p is 0.
    prefecturePosition_ = 0;
    areaPosition_ = 0;
    applyEnabling();
    view_.choiceSetPosition(Control::Area, 0);
    view_.choiceSetPosition(Control::Prefecture, 0);
    numberEntry_ = kNoEntry;
    for (Field field : {Field::Number, Field::City, Field::Ward}) {
        setFieldText(field, "");
        view_.fieldSetText(field, "");
    }
    setHitCount(0);
    results_.clear();
    view_.resultsReset();
    const Scope all{places_.areaTable[0].first, places_.areaTable[0].last};
    fillNumberList(all);
    fillNameLists(all);
    view_.waitCursorEnd();
}

void SearchForm::clearResults() {
    setHitCount(0);
    results_.clear();
    view_.resultsReset();
}

void SearchForm::resultsSelectionChanged() { applyEnabling(); }

void SearchForm::setLanguage(Language language) {
    language_ = language;
    for (Control choice : {Control::Area, Control::Prefecture}) view_.choiceReset(choice);
    appendChoices();
    view_.choiceSetPosition(Control::Area, areaPosition_);
    view_.choiceSetPosition(Control::Prefecture, prefecturePosition_);
    // The name lists are made again; the fields show what they showed.
    const std::string city = cityText_, ward = wardText_;
    refillNameLists();
    for (auto [field, text] : {std::pair{Field::City, &city}, std::pair{Field::Ward, &ward}}) {
        setFieldText(field, text->c_str());
        view_.fieldSetText(field, text->c_str());
    }
    setHitCount(hitCount_);
}

}  // namespace orvetta
