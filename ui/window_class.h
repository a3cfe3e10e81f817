// Registering the program's window classes: each has the program's icon and
// the arrow cursor; what differs is a row of WindowClass.
#pragma once

#include <windows.h>

namespace orvetta {

struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure;
    UINT style;
    int background;       // a COLOR_ index: the system colour of the client area
    const wchar_t* menu;  // menu resource, or null
    bool smallIcon;       // registered in the extended form with a 16 x 16 small icon
};

// Registers the class, or finds it registered already (a second main window
// in one process, as the tests make, or a window opened again). True when the
// class is there afterwards.
bool registerWindowClass(HINSTANCE instance, const WindowClass& windowClass);

}  // namespace orvetta
