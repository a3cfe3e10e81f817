// The horizontal extent of the result list. A list box scrolls sideways only
// as far as its extent, which it never works out itself (and keeps when it
// is emptied): the extent follows the widest line appended.
#pragma once

#include <windows.h>

namespace orvetta {

// Measures lines appended to a list, with the list's font and its default
// tab stops, through one device context; when it ends, the list's extent is
// widened to the widest line measured (never narrowed).
class ListExtentMeter {
public:
    explicit ListExtentMeter(HWND list);
    ~ListExtentMeter();
    ListExtentMeter(const ListExtentMeter&) = delete;
    ListExtentMeter& operator=(const ListExtentMeter&) = delete;

    void measure(const wchar_t* line);
    // The list was emptied: what was measured so far no longer counts.
    void forget() { widest_ = 0; }

private:
    HWND list_;
    HDC dc_;
    HGDIOBJ previousFont_ = nullptr;
    int letterTabStop_ = 0;
    int widest_ = 0;
};

// No extent: for a list that has just been emptied.
void listResetExtent(HWND list);

}  // namespace orvetta
