// Process entry: takes the instance and the show state, ignores the rest.
#include <windows.h>

#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return orvetta::runProgram(instance, showCommand);
}
