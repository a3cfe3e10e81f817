// The place-name tree window.
//
// The tree has four levels: call areas (in caption order 1..9, 0), their
// prefectures (prefecture table rows 1..47 whose area string matches), the
// cities and districts of each prefecture, and the wards, towns and villages.
// The record array keeps every city directly followed by its wards and every
// district by its towns and villages, so a ward, town or village hangs under
// the city or district added last in its prefecture (under the prefecture
// node while there is none). The tree is built from the records as they stand
// after the update file was merged, and built again when the list is rebuilt
// for another day; in between it is only browsed.
#include "ui/tree_window.h"

#include <windowsx.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "dict/place.h"
#include "search/result_line.h"
#include "search/romaji_name.h"
#include "ui/language.h"
#include "ui/menus.h"
#include "ui/resource.h"
#include "ui/text.h"
#include "ui/window_class.h"

namespace orvetta {

HWND gTreeWindow;
HWND gTreeView;
HIMAGELIST gTreeImageList;
double gTreeFillMilliseconds;

namespace {

// The list the tree shows, for building it again in another face.
const PlaceList* gTreePlaces;

const wchar_t kTreeClassName[] = L"Velkar Tree";
constexpr int kTreeWidth = 200;
constexpr int kTreeHeight = 250;

// Image list positions; the icons are appended in this order.
enum TreeImage {
    kImageArea,
    kImagePrefecture,
    kImageCity,
    kImageDistrict,
    kImageWard,
    kImageTown,
    kImageVillage,
    kImageOld,
    kTreeImageCount
};
const wchar_t* const kTreeIconNames[kTreeImageCount] = {L"rArea", L"Ken", L"City", L"Gun",
                                                        L"Ku",    L"Tyo", L"Son",  L"none"};

// "%6s %s(%s) %s": number, kanji, reading, old mark. At most
// 6 + 1 + 16 + 1 + 28 + 1 + 1 + 6 = 60 bytes; the buffer also holds whole
// fields that lack their NUL (7 + 17 + 29 bytes), so nothing is ever cut.
constexpr size_t kPlaceTextMax = 60;
constexpr size_t kPlaceTextBuffer = kPlaceTextMax + 3 + 1;

int placeImage(const PlaceRecord& record) {
    if (!isCurrentForTree(record.current)) return kImageOld;
    switch (record.kind) {
    case kKindCity: return kImageCity;
    case kKindDistrict: return kImageDistrict;
    case kKindWard: return kImageWard;
    case kKindTown: return kImageTown;
    default: return kImageVillage;
    }
}

// A field is NUL-padded; strnlen keeps a field without its NUL from running
// into the next one.
template <size_t N>
int fieldLength(const char (&field)[N]) {
    return static_cast<int>(strnlen(field, N));
}

void formatPlaceText(const PlaceRecord& record, char (&text)[kPlaceTextBuffer]) {
    snprintf(text, sizeof text, "%6.*s %.*s(%.*s) %s", fieldLength(record.number), record.number,
             fieldLength(record.kanji), record.kanji, fieldLength(record.reading), record.reading,
             isCurrentForTree(record.current) ? "" : kOldMarker);
}

// The English face: "  0101 Sapporo-shi (札幌市)", and " (deleted)" behind an
// old place.
std::string englishPlaceText(const PlaceRecord& record) {
    char number[8];
    snprintf(number, sizeof number, "%6.*s", fieldLength(record.number), record.number);
    std::string text = std::string(number) + " " + placeName(record, Language::English);
    if (!isCurrentForTree(record.current)) text += kDeletedMarkEnglish;
    return text;
}

HTREEITEM treeAppend(HTREEITEM parent, const char* sjisText, int image, LPARAM record) {
    std::wstring text = sjisToWide(sjisText);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.lParam = record;
    return reinterpret_cast<HTREEITEM>(SendMessageW(gTreeView, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void treeAddPlaces(const PlaceList& places, HTREEITEM prefectureNode, const PrefectureRow& row) {
    if (!places.records || row.first < 0 || row.last >= places.count()) return;
    HTREEITEM parent = prefectureNode;
    char text[kPlaceTextBuffer];
    const bool english = uiLanguage() == Language::English;
    for (int i = row.first; i <= row.last; ++i) {
        const PlaceRecord& record = places.records[i];
        std::string englishText;
        if (english)
            englishText = englishPlaceText(record);
        else
            formatPlaceText(record, text);
        bool cityOrDistrict = record.kind == kKindCity || record.kind == kKindDistrict;
        HTREEITEM node = treeAppend(cityOrDistrict ? prefectureNode : parent, english ? englishText.c_str() : text,
                                    placeImage(record), i);
        // An old city or district still collects the places that follow it.
        if (cityOrDistrict) parent = node;
    }
}

void treeFill(const PlaceList& places) {
    gTreePlaces = &places;
    for (const AreaCaption& area : kAreaCaptions) {
        HTREEITEM areaNode = treeAppend(TVI_ROOT, areaCaptionLabel(area, uiLanguage()), kImageArea, kTreeNoRecord);
        // Row 0 (all) and row 48 (unknown) are never shown.
        for (int r = 1; r <= kLastPrefectureRow; ++r) {
            const PrefectureRow& row = places.prefectureTable[r];
            if (strcmp(row.area, area.area) != 0) continue;
            HTREEITEM prefectureNode =
                treeAppend(areaNode, prefectureLabel(row, uiLanguage()), kImagePrefecture, kTreeNoRecord);
            treeAddPlaces(places, prefectureNode, row);
        }
    }
}

void treeLoadImages(HINSTANCE instance) {
    for (const wchar_t* name : kTreeIconNames) {
        // The 16 x 16 image of each icon, not the 32 x 32 one scaled down.
        HICON icon = static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        ImageList_ReplaceIcon(gTreeImageList, -1, icon);
        if (icon) DestroyIcon(icon);
    }
}

double elapsedMilliseconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER end;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Fills the empty view; it is drawn once, after all nodes are in.
void treeFillView(const PlaceList& places) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    SendMessageW(gTreeView, WM_SETREDRAW, FALSE, 0);
    treeFill(places);
    SendMessageW(gTreeView, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(gTreeView, nullptr, TRUE);
    gTreeFillMilliseconds = elapsedMilliseconds(start);
}

// ---- Tree window messages ----

BOOL treeOnCreate(HWND window, LPCREATESTRUCT create) {
    gTreeWindow = window;
    InitCommonControls();
    gTreeImageList = ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, kTreeImageCount, 1);
    // Sized by the window's first size notification.
    gTreeView = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | TVS_HASBUTTONS |
                                    TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP,
                                0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TREE_VIEW)),
                                create->hInstance, nullptr);
    if (!gTreeView) {
        // The window stays empty; nothing else would release the image list.
        if (gTreeImageList) ImageList_Destroy(gTreeImageList);
        gTreeImageList = nullptr;
        return TRUE;
    }
    SendMessageW(gTreeView, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(gTreeImageList));
    treeLoadImages(create->hInstance);
    treeFillView(*static_cast<const PlaceList*>(create->lpCreateParams));
    return TRUE;
}

void treeOnDestroy(HWND) {
    treeReleaseImageList();
    // Closed through its frame, the tree is gone for the rest of the run.
    gTreeView = nullptr;
    gTreeWindow = nullptr;
}

void treeOnSize(HWND, UINT, int width, int height) {
    if (gTreeView) MoveWindow(gTreeView, 0, 0, width, height, FALSE);
}

void treeOnCommand(HWND window, int id, HWND, UINT) {
    if (id == IDM_TREE_HIDE && gTreeView) ShowOwnedPopups(GetWindow(window, GW_OWNER), FALSE);
}

// A right click in the tree view is reported to this window; the view's own
// copy menu answers it.
void treeOnContextMenu(HWND, HWND control, UINT x, UINT y) {
    if (control == gTreeView)
        SendMessageW(gTreeView, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(x, y));
}

LRESULT CALLBACK treeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(window, WM_CREATE, treeOnCreate);
        HANDLE_MSG(window, WM_DESTROY, treeOnDestroy);
        HANDLE_MSG(window, WM_SIZE, treeOnSize);
        HANDLE_MSG(window, WM_COMMAND, treeOnCommand);
        HANDLE_MSG(window, WM_CONTEXTMENU, treeOnContextMenu);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerTreeWindowClass(HINSTANCE instance) {
    return registerWindowClass(instance, {kTreeClassName, treeWindowProc, CS_VREDRAW | CS_HREDRAW | CS_PARENTDC,
                                          COLOR_WINDOW, nullptr, false});
}

}  // namespace

HWND createTreeWindow(HINSTANCE instance, HWND owner, const PlaceList& places) {
    gTreeWindow = nullptr;
    gTreeView = nullptr;
    gTreeImageList = nullptr;
    if (!registerTreeWindowClass(instance)) return nullptr;
    HWND window = CreateWindowExW(0, kTreeClassName, uiWide(TextId::TreeTitle).c_str(),
                                  WS_POPUP | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kTreeWidth,
                                  kTreeHeight, owner, createTreeMenu(), instance, const_cast<PlaceList*>(&places));
    gTreeWindow = window;
    return window;
}

void treeRebuild(const PlaceList& places) {
    if (!gTreeView) return;
    SendMessageW(gTreeView, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(gTreeView);
    treeFillView(places);
}

void treeApplyLanguage() {
    if (gTreeWindow) SetWindowTextW(gTreeWindow, uiWide(TextId::TreeTitle).c_str());
    if (gTreePlaces) treeRebuild(*gTreePlaces);
}

void treeSetFont(HFONT font) {
    if (gTreeView) SendMessageW(gTreeView, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void treeReleaseImageList() {
    if (!gTreeView || !IsWindow(gTreeView)) return;
    auto imageList = reinterpret_cast<HIMAGELIST>(SendMessageW(gTreeView, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    if (imageList) {
        SendMessageW(gTreeView, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
        ImageList_Destroy(imageList);
    }
    gTreeImageList = nullptr;
}

}  // namespace orvetta
