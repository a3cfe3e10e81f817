#include "ui/window_class.h"

namespace orvetta {

namespace {

const wchar_t kProgramIcon[] = L"VELKAR";

}  // namespace

bool registerWindowClass(HINSTANCE instance, const WindowClass& windowClass) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = windowClass.style;
    cls.lpfnWndProc = windowClass.procedure;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(instance, kProgramIcon);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(windowClass.background + 1));
    cls.lpszMenuName = windowClass.menu;
    cls.lpszClassName = windowClass.name;
    bool registered;
    if (windowClass.smallIcon) {
        cls.hIconSm = static_cast<HICON>(LoadImageW(instance, kProgramIcon, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        registered = RegisterClassExW(&cls) != 0;
    } else {
        WNDCLASSW plain{cls.style,        cls.lpfnWndProc,  0,           0,
                        cls.hInstance,    cls.hIcon,        cls.hCursor, cls.hbrBackground,
                        cls.lpszMenuName, cls.lpszClassName};
        registered = RegisterClassW(&plain) != 0;
    }
    return registered || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace orvetta
