// Process entry: takes the instance and the show state, ignores the rest, and
// hands over the edition the program was linked with.
#include <windows.h>

#include "dict/edition.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return orvetta::runProgram(instance, showCommand, *orvetta::gEdition);
}
