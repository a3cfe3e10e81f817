// Main window controls, fonts and layout.
#include "ui/controls.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "dict/edition.h"
#include "dict/history_text.h"
#include "ui/copy.h"
#include "ui/language.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "ui/tree_window.h"

namespace orvetta {

HWND gControls[kControlCount];
int gStatusBarHeight;
HFONT gFormFont;
HFONT gLabelFont;
HFONT gTreeFont;

namespace {

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE;
constexpr DWORD kChoiceStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;
// Editable fields scroll their text sideways: without that, typing stops at
// the field's visible width, well before a long reading is complete.
constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kPushStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kModeStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_PUSHLIKE;

enum FontKind { kNoFont, kFormFontKind, kLabelFontKind };

// A control without a text of its own (fields, choices, the hit count).
constexpr TextId kNoText = static_cast<TextId>(-1);

// One row per control of slots 1..18, its text from the table of texts.
// Labels and the hit count text have no id (0); the program addresses every
// control by its handle.
struct ControlRow {
    const wchar_t* className;
    TextId text;
    int id;
    DWORD style;
    DWORD exStyle;
    int layoutRow;
    FontKind font;
};

const ControlRow kControlTable[kControlCount] = {
    {nullptr, kNoText, IDC_STATUS_BAR, 0, 0, -1, kNoFont},  // created by CreateStatusWindowW
    {L"BUTTON", TextId::ButtonKanji, IDC_KANJI, kModeStyle | WS_GROUP, WS_EX_STATICEDGE, 0, kFormFontKind},
    {L"BUTTON", TextId::ButtonReading, IDC_READING, kModeStyle, WS_EX_STATICEDGE, 1, kFormFontKind},
    {L"BUTTON", TextId::ButtonClearAll, IDC_CLEAR_ALL, kPushStyle, 0, 2, kFormFontKind},
    {L"BUTTON", TextId::ButtonSearch, IDC_SEARCH, kPushStyle, WS_EX_DLGMODALFRAME, 4, kFormFontKind},
    {L"STATIC", TextId::LabelArea, 0, kLabelStyle, 0, 5, kLabelFontKind},
    {L"COMBOBOX", kNoText, IDC_AREA, kChoiceStyle, WS_EX_CLIENTEDGE, 6, kFormFontKind},
    {L"STATIC", TextId::LabelPrefecture, 0, kLabelStyle, 0, 7, kLabelFontKind},
    {L"COMBOBOX", kNoText, IDC_PREFECTURE, kChoiceStyle, WS_EX_CLIENTEDGE, 8, kFormFontKind},
    {L"STATIC", TextId::LabelNumber, 0, kLabelStyle, 0, 9, kLabelFontKind},
    {L"COMBOBOX", kNoText, IDC_NUMBER, kFieldStyle, WS_EX_CLIENTEDGE, 10, kFormFontKind},
    {L"STATIC", TextId::LabelCity, 0, kLabelStyle, 0, 11, kLabelFontKind},
    {L"COMBOBOX", kNoText, IDC_CITY, kFieldStyle, WS_EX_CLIENTEDGE, 12, kFormFontKind},
    {L"STATIC", TextId::LabelWard, 0, kLabelStyle, 0, 13, kLabelFontKind},
    {L"COMBOBOX", kNoText, IDC_WARD, kFieldStyle, WS_EX_CLIENTEDGE, 14, kFormFontKind},
    {L"STATIC", TextId::LabelResults, 0, kLabelStyle, 0, 15, kLabelFontKind},
    {L"STATIC", kNoText, 0, kLabelStyle, 0, 16, kLabelFontKind},  // hit count
    {L"BUTTON", TextId::ButtonClearResults, IDC_CLEAR_RESULTS, kPushStyle, 0, 17, kFormFontKind},
    {L"LISTBOX", kNoText, IDC_RESULTS,
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, 18, kFormFontKind},
};

std::wstring controlText(const ControlRow& row) { return row.text == kNoText ? std::wstring() : uiWide(row.text); }

// Faces tried in order when the program's own face is missing: proportional
// Japanese faces found on Windows and on Linux font packages.
const wchar_t* const kFallbackFaces[] = {
    L"MS PGothic", L"Meiryo UI",        L"Yu Gothic UI", L"MS UI Gothic",
    L"IPAPGothic", L"Noto Sans CJK JP", L"IPAexGothic",  L"TakaoPGothic",
};

int CALLBACK noteFaceExists(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(HDC dc, const std::wstring& face) {
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(query.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &query, noteFaceExists, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// Any proportional Shift-JIS face; '@' faces are the vertical-writing forms.
int CALLBACK takeProportionalFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM face) {
    if ((font->lfPitchAndFamily & 3) != VARIABLE_PITCH || font->lfFaceName[0] == L'@') return 1;
    *reinterpret_cast<std::wstring*>(face) = font->lfFaceName;
    return 0;
}

HFONT makeFont(int points, int dpi) {
    LOGFONTW font{};
    font.lfHeight = fontHeight(points, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_MODERN;
    lstrcpynW(font.lfFaceName, chooseFontFace(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void controlSetFont(HWND control, HFONT font) {
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void giveFont(HFONT font, FontKind kind) {
    for (int slot = 1; slot < kControlCount; ++slot)
        if (kControlTable[slot].font == kind) controlSetFont(gControls[slot], font);
}

// The status bar's right part names the day of the list in use, or shows
// the edition's own notice (of the edition createControls is handed) for "".
std::string gStatusDay;
const Edition* gNoticeEdition;

void statusShowNotice() {
    if (HWND bar = gControls[kStatusBarSlot]) {
        const std::string notice = !gStatusDay.empty() ? dayNotice(gStatusDay.c_str(), uiLanguage())
                                   : gNoticeEdition    ? editionNotice(*gNoticeEdition, kStatusNotice)
                                                       : "";
        SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(sjisToWide(notice.c_str()).c_str()));
    }
}

// The edit field inside an editable combo box, where a text limit belongs.
HWND comboEdit(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return combo && GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

}  // namespace

const LayoutRect kLayoutTable[kLayoutRows] = {
    {10, 10, 120, 30},   {140, 10, 120, 30},  {420, 10, 100, 30},   {340, 10, 70, 30},   {360, 53, 160, 40},
    {10, 43, 150, 25},   {10, 71, 150, 160},  {170, 43, 150, 25},   {170, 71, 150, 160}, {10, 104, 150, 25},
    {10, 132, 150, 160}, {170, 104, 150, 25}, {170, 132, 170, 160}, {350, 104, 150, 25}, {350, 132, 170, 160},
    {10, 168, 150, 25},  {170, 168, 150, 25}, {420, 171, 100, 25},  {10, 196, 510, 60},
};

HWND controlById(int id) {
    for (int slot = 0; slot < kControlCount; ++slot)
        if (kControlTable[slot].id == id) return gControls[slot];
    return nullptr;
}

void createControls(HINSTANCE instance, HWND mainWindow, const PlaceList& places, const Edition& edition) {
    gStatusDay.clear();
    gNoticeEdition = &edition;
    gControls[kStatusBarSlot] =
        CreateStatusWindowW(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, L"", mainWindow, IDC_STATUS_BAR);
    gStatusBarHeight = 0;
    if (HWND bar = gControls[kStatusBarSlot]) {
        RECT rect;
        GetClientRect(bar, &rect);
        gStatusBarHeight = rect.bottom - rect.top;
    }
    for (int slot = 1; slot < kControlCount; ++slot) {
        const ControlRow& row = kControlTable[slot];
        gControls[slot] =
            CreateWindowExW(row.exStyle, row.className, controlText(row).c_str(), row.style, 0, 0, 0, 0, mainWindow,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    }
    for (int slot : {kCityFieldSlot, kWardFieldSlot})
        if (HWND edit = comboEdit(gControls[slot])) SendMessageW(edit, EM_LIMITTEXT, kNameFieldLimit, 0);
    // Numbers are ASCII: the number field takes no input method, so digits and
    // letters arrive as typed. The two name fields keep theirs.
    if (HWND edit = comboEdit(gControls[kNumberFieldSlot])) ImmAssociateContext(edit, nullptr);
    createTreeWindow(instance, mainWindow, places);
    attachCopying(gControls[kResultListSlot], gTreeView, places);
}

void controlsApplyLanguage() {
    for (int slot = 1; slot < kControlCount; ++slot)
        if (gControls[slot] && kControlTable[slot].text != kNoText)
            SetWindowTextW(gControls[slot], controlText(kControlTable[slot]).c_str());
    statusShowNotice();
}

void statusSetDay(const std::string& day) {
    gStatusDay = day;
    statusShowNotice();
}

int fontHeight(int points, int dpi) { return -MulDiv(points, dpi, 72); }

const wchar_t* chooseFontFace() {
    static std::wstring face;
    if (!face.empty()) return face.c_str();
    const std::wstring own = sjisToWide("\x82l\x82r \x82o\x83S\x83V\x83\x62\x83N");  // ＭＳ Ｐゴシック
    HDC dc = GetDC(nullptr);
    if (faceExists(dc, own)) {
        face = own;
    } else {
        for (const wchar_t* candidate : kFallbackFaces) {
            if (faceExists(dc, candidate)) {
                face = candidate;
                break;
            }
        }
        if (face.empty()) {
            LOGFONTW query{};
            query.lfCharSet = SHIFTJIS_CHARSET;
            EnumFontFamiliesExW(dc, &query, takeProportionalFace, reinterpret_cast<LPARAM>(&face), 0);
        }
        // Nothing Japanese installed: name our face and let the font mapper
        // pick by character set.
        if (face.empty()) face = own;
    }
    ReleaseDC(nullptr, dc);
    return face.c_str();
}

void createFonts(HWND mainWindow) {
    HDC dc = GetDC(mainWindow);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(mainWindow, dc);
    gFormFont = makeFont(13, dpi);
    giveFont(gFormFont, kFormFontKind);
    gLabelFont = makeFont(12, dpi);
    giveFont(gLabelFont, kLabelFontKind);
    gTreeFont = makeFont(11, dpi);
    treeSetFont(gTreeFont);
}

void deleteFonts() {
    for (HFONT* font : {&gFormFont, &gLabelFont, &gTreeFont}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
}

void layoutControls(HWND mainWindow, int clientWidth, int clientHeight) {
    RECT outer;
    GetWindowRect(mainWindow, &outer);
    // Single-precision factors: the outer size times the reciprocal of the
    // design size. Height stops growing the form at 1.1; the result list
    // takes the rest.
    const float horizontal = static_cast<float>(outer.right - outer.left) * (1.0f / kDesignWidth);
    float vertical = static_cast<float>(outer.bottom - outer.top) * (1.0f / kDesignHeight);
    if (vertical > 1.1f) vertical = 1.1f;

    if (HWND bar = gControls[kStatusBarSlot]) {
        // The status bar keeps its own height at the bottom edge.
        MoveWindow(bar, 0, clientHeight - gStatusBarHeight, clientWidth, clientHeight, FALSE);
        int edges[2] = {clientWidth - 180, -1};
        SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
        statusShowNotice();
    }
    for (int slot = 1; slot < kControlCount; ++slot) {
        HWND control = gControls[slot];
        if (!control) continue;
        const LayoutRect& r = kLayoutTable[kControlTable[slot].layoutRow];
        const int x = static_cast<int>(static_cast<float>(r.x) * horizontal);
        const int y = static_cast<int>(static_cast<float>(r.y) * vertical);
        const int width = static_cast<int>(static_cast<float>(r.width) * horizontal);
        int height = static_cast<int>(static_cast<float>(r.height) * vertical);
        // The result list reaches down to the status bar.
        if (slot == kResultListSlot) height = clientHeight - gStatusBarHeight - y;
        MoveWindow(control, x, y, width, height, TRUE);
    }
}

}  // namespace orvetta
