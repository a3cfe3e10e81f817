// The search form on real controls.
#include "ui/form_view.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/language.h"
#include "ui/list_extent.h"
#include "ui/resource.h"
#include "ui/text.h"

namespace orvetta {

// The resource script names the controls by these ids; the form model by its
// own enumeration. They must be one set of numbers.
static_assert(static_cast<int>(Control::Kanji) == IDC_KANJI);
static_assert(static_cast<int>(Control::Reading) == IDC_READING);
static_assert(static_cast<int>(Control::Number) == IDC_NUMBER);
static_assert(static_cast<int>(Control::City) == IDC_CITY);
static_assert(static_cast<int>(Control::Ward) == IDC_WARD);
static_assert(static_cast<int>(Control::Prefecture) == IDC_PREFECTURE);
static_assert(static_cast<int>(Control::Area) == IDC_AREA);
static_assert(static_cast<int>(Control::Search) == IDC_SEARCH);
static_assert(static_cast<int>(Control::ClearAll) == IDC_CLEAR_ALL);
static_assert(static_cast<int>(Control::Results) == IDC_RESULTS);
static_assert(static_cast<int>(Control::ClearResults) == IDC_CLEAR_RESULTS);

SearchForm* gSearchForm;

namespace {

// Notifications that the program's own changes to the controls cause (an
// edit field emptied with its list, a text set) are not the user's: they are
// dropped while a view operation runs.
bool gViewBusy;

class QuietScope {
public:
    QuietScope() : previous_(gViewBusy) { gViewBusy = true; }
    ~QuietScope() { gViewBusy = previous_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

private:
    bool previous_;
};

HWND fieldWindow(Field field) { return controlById(static_cast<int>(field)); }

void windowSetText(HWND window, const char* sjis) {
    if (window) SetWindowTextW(window, sjisToWide(sjis).c_str());
}

class ControlFormView : public FormView {
public:
    void fieldResetList(Field field) override {
        QuietScope quiet;
        HWND combo = fieldWindow(field);
        if (!combo) return;
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        SetWindowTextW(combo, L"");
    }
    // A list fill is held and added at once: storage reserved, one text
    // conversion for all entries, and the combo box not redrawn per entry.
    void fieldFillBegin(Field field, int count, size_t bytes) override {
        QuietScope quiet;
        Pending& pending = pending_[slot(field)];
        pending.active = true;
        pending.texts.clear();
        pending.texts.reserve(static_cast<size_t>(count));
        if (HWND combo = fieldWindow(field)) {
            SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
            SendMessageW(combo, CB_INITSTORAGE, static_cast<WPARAM>(count),
                         static_cast<LPARAM>(bytes * sizeof(wchar_t)));
        }
    }
    void fieldAppendEntry(Field field, const char* text) override {
        Pending& pending = pending_[slot(field)];
        if (pending.active) {
            pending.texts.push_back(text);
            return;
        }
        QuietScope quiet;
        if (HWND combo = fieldWindow(field))
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjisToWide(text).c_str()));
    }
    void fieldFillEnd(Field field) override {
        QuietScope quiet;
        Pending& pending = pending_[slot(field)];
        pending.active = false;
        HWND combo = fieldWindow(field);
        if (combo && !pending.texts.empty()) {
            const std::wstring joined = sjisToWideJoined(pending.texts.data(), pending.texts.size());
            for (const wchar_t* entry = joined.c_str(); entry < joined.c_str() + joined.size();
                 entry += wcslen(entry) + 1)
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        }
        pending.texts.clear();
        if (combo) {
            SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(combo, nullptr, TRUE);
        }
    }
    void fieldSetText(Field field, const char* text) override {
        QuietScope quiet;
        windowSetText(fieldWindow(field), text);
    }
    void choiceAppend(Control choice, const char* label) override {
        QuietScope quiet;
        HWND combo = controlById(static_cast<int>(choice));
        if (!combo) return;
        const LRESULT position = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(position),
                     reinterpret_cast<LPARAM>(sjisToWide(label).c_str()));
    }
    void choiceReset(Control choice) override {
        QuietScope quiet;
        if (HWND combo = controlById(static_cast<int>(choice))) SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    }
    void choiceSetPosition(Control choice, int position) override {
        QuietScope quiet;
        if (HWND combo = controlById(static_cast<int>(choice))) SendMessageW(combo, CB_SETCURSEL, position, 0);
    }
    void modeSetChecked(SearchMode mode) override {
        QuietScope quiet;
        const bool kanji = mode == SearchMode::Kanji;
        if (HWND button = gControls[kKanjiButtonSlot])
            SendMessageW(button, BM_SETCHECK, kanji ? BST_CHECKED : BST_UNCHECKED, 0);
        if (HWND button = gControls[kReadingButtonSlot])
            SendMessageW(button, BM_SETCHECK, kanji ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    void controlEnable(Control control, bool enabled) override {
        QuietScope quiet;
        if (HWND window = controlById(static_cast<int>(control))) EnableWindow(window, enabled);
    }
    void hitCountSetText(const char* text) override {
        QuietScope quiet;
        windowSetText(gControls[kHitCountSlot], text);
    }
    void resultsAppend(const char* line) override {
        HWND list = gControls[kResultListSlot];
        if (!list) return;
        const std::wstring text = sjisToWide(line);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (meter_)
            meter_->measure(text.c_str());
        else
            ListExtentMeter(list).measure(text.c_str());
    }
    void resultsReset() override {
        HWND list = gControls[kResultListSlot];
        if (!list) return;
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        listResetExtent(list);
        if (meter_) meter_->forget();
    }
    // Before a second initialise (a list rebuilt for another day): the
    // choices are filled again, and the result lines belong to the old list.
    void clearChoicesAndResults() {
        QuietScope quiet;
        for (Control choice : {Control::Area, Control::Prefecture}) choiceReset(choice);
        resultsReset();
    }
    void resultsScrollToEnd() override {
        HWND list = gControls[kResultListSlot];
        if (!list) return;
        // The list stops at its end, so asking for the last line on top
        // shows the list as far down as it goes.
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        if (count > 0) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
    }
    // While the wait cursor shows, the result list takes its lines without
    // drawing each one; it is drawn once at the end. Its lines are measured
    // for its extent through one device context meanwhile.
    void waitCursorBegin() override {
        previousCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        if (HWND list = gControls[kResultListSlot]) {
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            meter_.emplace(list);
        }
    }
    void waitCursorEnd() override {
        meter_.reset();
        if (HWND list = gControls[kResultListSlot]) {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
        }
        SetCursor(previousCursor_);
    }

private:
    struct Pending {
        bool active = false;
        std::vector<const char*> texts;  // Shift-JIS, owned by the records
    };
    static int slot(Field field) { return static_cast<int>(field) - static_cast<int>(Field::Number); }

    HCURSOR previousCursor_ = nullptr;
    Pending pending_[3];
    std::optional<ListExtentMeter> meter_;
};

std::unique_ptr<ControlFormView> gFormView;
std::unique_ptr<SearchForm> gFormOwner;

// The field's text as the user left it, in Shift-JIS, cut to what a search
// reads (15 bytes for a number, 44 for a name) without halving a character.
std::string fieldTypedText(Field field) {
    HWND combo = fieldWindow(field);
    if (!combo) return {};
    const int cch = GetWindowTextLengthW(combo);
    std::wstring text(static_cast<size_t>(cch) + 1, L'\0');
    GetWindowTextW(combo, text.data(), cch + 1);
    const size_t cbMax = field == Field::Number ? kNumberTextSize - 1 : kNameTextSize - 1;
    return wideToSjis(text.c_str(), cbMax);
}

// What the three fields show now: the search reads them itself, since a
// combo box fills its field from its list without a notification.
FieldTexts shownTexts() {
    return {fieldTypedText(Field::Number), fieldTypedText(Field::City), fieldTypedText(Field::Ward)};
}

int comboPosition(int id) {
    HWND combo = controlById(id);
    return combo ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : CB_ERR;
}

bool fieldChanged(SearchForm& form, Field field, int code) {
    if (code == CBN_SELCHANGE) {
        const int entry = comboPosition(static_cast<int>(field));
        if (entry == CB_ERR) return false;
        form.fieldSelected(field, entry);
        return true;
    }
    if (code == CBN_EDITCHANGE) {
        form.fieldEdited(field, fieldTypedText(field).c_str());
        return true;
    }
    return false;
}

bool choiceChanged(SearchForm& form, int id, int code) {
    if (code != CBN_SELCHANGE) return false;
    const int position = comboPosition(id);
    if (position == CB_ERR) return false;
    if (id == IDC_AREA)
        form.areaChanged(position);
    else
        form.prefectureChanged(position);
    return true;
}

}  // namespace

void formInitialise(const PlaceList& places) {
    gFormView = std::make_unique<ControlFormView>();
    gFormView->clearChoicesAndResults();
    gFormOwner = std::make_unique<SearchForm>(places, *gFormView, uiLanguage());
    gSearchForm = gFormOwner.get();
    gSearchForm->initialise();
}

void formApplyLanguage() {
    if (gSearchForm) gSearchForm->setLanguage(uiLanguage());
}

void formRelease() {
    gSearchForm = nullptr;
    gFormOwner.reset();
    gFormView.reset();
}

// Button clicks and menu commands both arrive with code 0 (BN_CLICKED).
bool formOnCommand(int id, int code) {
    if (!gSearchForm || gViewBusy) return false;
    SearchForm& form = *gSearchForm;
    switch (id) {
    case IDC_AREA:
    case IDC_PREFECTURE: return choiceChanged(form, id, code);
    case IDC_NUMBER:
    case IDC_CITY:
    case IDC_WARD: return fieldChanged(form, static_cast<Field>(id), code);
    case IDC_KANJI:
    case IDC_READING:
        if (code != BN_CLICKED) return false;
        form.modeClicked(id == IDC_KANJI ? SearchMode::Kanji : SearchMode::Reading);
        return true;
    case IDM_MODE_KANJI:
    case IDM_MODE_READING:
        if (code != 0) return false;
        form.modeCommand(id == IDM_MODE_KANJI ? SearchMode::Kanji : SearchMode::Reading);
        return true;
    case IDC_SEARCH:
        if (code != BN_CLICKED) return false;
        form.search(shownTexts());
        return true;
    case IDC_CLEAR_ALL:
        if (code != BN_CLICKED) return false;
        form.clearAll();
        return true;
    case IDC_CLEAR_RESULTS:
        if (code != BN_CLICKED) return false;
        form.clearResults();
        return true;
    case IDC_RESULTS:
        if (code != LBN_SELCHANGE) return false;
        form.resultsSelectionChanged();
        return true;
    }
    return false;
}

}  // namespace orvetta
