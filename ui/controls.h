// The controls of the main window: creation from one table, the text limits,
// the status bar, the three fonts and the layout scaled from a 540 x 306
// design space.
#pragma once

#include <windows.h>

#include <string>

#include "dict/edition.h"
#include "dict/place.h"

namespace orvetta {

// Positions in the control table, in creation order. The status bar is 0;
// the layout row of each other control is given in the table.
enum ControlSlot {
    kStatusBarSlot,
    kKanjiButtonSlot,
    kReadingButtonSlot,
    kClearAllButtonSlot,
    kSearchButtonSlot,
    kAreaLabelSlot,
    kAreaChoiceSlot,
    kPrefectureLabelSlot,
    kPrefectureChoiceSlot,
    kNumberLabelSlot,
    kNumberFieldSlot,
    kCityLabelSlot,
    kCityFieldSlot,
    kWardLabelSlot,
    kWardFieldSlot,
    kResultsLabelSlot,
    kHitCountSlot,
    kClearResultsButtonSlot,
    kResultListSlot,
    kControlCount
};

// Design space: the main window's outer size at creation.
constexpr int kDesignWidth = 540;
constexpr int kDesignHeight = 306;
constexpr int kLayoutRows = 19;
// Typed characters the two name fields accept.
constexpr int kNameFieldLimit = 45;

struct LayoutRect {
    int x, y, width, height;
};
extern const LayoutRect kLayoutTable[kLayoutRows];

// Handles of the controls by slot; null where a control could not be made.
extern HWND gControls[kControlCount];
// Client height of the status bar, measured once at creation.
extern int gStatusBarHeight;
// The three fonts, by point size 13, 12 and 11.
extern HFONT gFormFont;
extern HFONT gLabelFont;
extern HFONT gTreeFont;

// The handle of the control with this id (101..112, 222), or null.
HWND controlById(int id);

// Creates the status bar and the other 18 controls at (0, 0) with no size,
// limits the two name fields, turns the input method off in the number
// field, then creates the tree window. The status bar shows `edition`'s
// notice.
void createControls(HINSTANCE instance, HWND mainWindow, const PlaceList& places, const Edition& edition);

// Creates the three fonts for the display's DPI and gives each to its
// controls. The face is the one chooseFontFace() picks.
void createFonts(HWND mainWindow);
void deleteFonts();

// The face the fonts use: the program's own face where installed, otherwise
// the nearest proportional Japanese face the system has.
const wchar_t* chooseFontFace();

// Font height in pixels for a point size at the given vertical DPI.
int fontHeight(int points, int dpi);

// Names the day of the list in use ("YYYY-MM-DD") in the status bar's right
// part; "" shows the edition's own notice again. A new main window starts
// with the edition's.
void statusSetDay(const std::string& day);

// The buttons and labels, and the edition's notice in the status bar, in the
// face in force.
void controlsApplyLanguage();

// Places every control for a client area of the given size; the factors
// come from the main window's outer size.
void layoutControls(HWND mainWindow, int clientWidth, int clientHeight);

}  // namespace orvetta
