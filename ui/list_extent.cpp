// Horizontal extent of the result list.
#include "ui/list_extent.h"

#include <cwchar>

namespace orvetta {

namespace {

// A list box draws each line one pixel in from its left edge; one more pixel
// on the right keeps the last character clear of the edge.
constexpr int kLineMargin = 2;

}  // namespace

// A list with tab stops but none set puts one every 32 dialog units, that is
// every 8 average characters of its font. Systems take that average
// differently: the font's own figure (which is also what the tab expansion
// of the text functions uses) or the mean width of the 52 letters. Where the
// number before the tab is about that wide, the two put the text after it a
// whole stop apart, so each line is measured both ways and the wider counts.
ListExtentMeter::ListExtentMeter(HWND list) : list_(list), dc_(GetDC(list)) {
    if (!dc_) return;
    auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    previousFont_ = SelectObject(dc_, font ? font : GetStockObject(SYSTEM_FONT));
    SIZE letters{};
    GetTextExtentPoint32W(dc_, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    letterTabStop_ = 8 * ((letters.cx / 26 + 1) / 2);
}

ListExtentMeter::~ListExtentMeter() {
    if (!dc_) return;
    SelectObject(dc_, previousFont_);
    ReleaseDC(list_, dc_);
    if (widest_ > static_cast<int>(SendMessageW(list_, LB_GETHORIZONTALEXTENT, 0, 0)))
        SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
}

void ListExtentMeter::measure(const wchar_t* line) {
    if (!dc_) return;
    const int cch = static_cast<int>(wcslen(line));
    const int byFont = LOWORD(GetTabbedTextExtentW(dc_, line, cch, 0, nullptr));
    const int byLetters = LOWORD(GetTabbedTextExtentW(dc_, line, cch, 1, &letterTabStop_));
    const int width = (byFont > byLetters ? byFont : byLetters) + kLineMargin;
    if (width > widest_) widest_ = width;
}

void listResetExtent(HWND list) { SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0); }

}  // namespace orvetta
