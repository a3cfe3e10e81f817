// Resource and command ids, shared by the resource script and the code.
#pragma once

// Menu commands of the main window.
#define IDM_EXIT 100
#define IDM_FOCUS_NUMBER 204
#define IDM_FOCUS_CITY 205
#define IDM_FOCUS_WARD 206
#define IDM_FOCUS_PREFECTURE 207
#define IDM_FOCUS_AREA 208
#define IDM_FOCUS_RESULTS 211
#define IDM_MODE_KANJI 220
#define IDM_MODE_READING 221
#define IDM_ABOUT 300
#define IDM_CHOOSE_DAY 301
#define IDM_CHECK_LOG 302
#define IDM_LANGUAGE 303
#define IDM_HELP 40005
#define IDM_TREE_HIDE 40007
#define IDM_TREE_TOGGLE 40008

// Context-menu commands of the result list and the tree view (sent to the
// control, never to the main window).
#define IDM_COPY_NUMBER 230
#define IDM_COPY_LINE 231
#define IDM_COPY_ALL 232
#define IDM_SHOW_HISTORY 233

// Controls of the main window (a focus command is its control's id + 100).
#define IDC_KANJI 101
#define IDC_READING 102
#define IDC_NUMBER 104
#define IDC_CITY 105
#define IDC_WARD 106
#define IDC_PREFECTURE 107
#define IDC_AREA 108
#define IDC_SEARCH 109
#define IDC_CLEAR_ALL 110
#define IDC_RESULTS 111
#define IDC_CLEAR_RESULTS 112
#define IDC_TREE_VIEW 114
#define IDC_STATUS_BAR 222

// About box.
#define IDC_ABOUT_TITLE 400
#define IDC_ABOUT_SNAPSHOT 401  // the line naming the snapshot of the edition
#define IDC_ABOUT_NUMBERS 402   // the line naming where the numbers come from

// Day box: the date picker, the button back to the edition's own list and
// the line naming the days it offers.
#define IDC_DAY_PICKER 410
#define IDC_DAY_LATEST 411
#define IDC_DAY_RANGE 412  // the days the picker offers
#define IDC_DAY_PROMPT 413

// The help texts (Shift-JIS, CR LF), Japanese and English, and the edit
// control of every text window, the help window's among them.
#define IDR_HELP_TEXT 500
#define IDR_HELP_TEXT_EN 502
#define IDC_TEXT_VIEW 501
#define IDC_TEXT_BUTTON 502  // the button below the text of a window that has one
