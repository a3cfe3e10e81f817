// Process entry: takes the instance, the show state and the face the command
// line asks for (--lang ja, --lang en), ignores the rest, and hands over the
// edition the program was linked with.
#include <windows.h>

#include "dict/edition.h"
#include "ui/language.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    orvetta::chooseStartLanguage(GetCommandLineW());
    return orvetta::runProgram(instance, showCommand, *orvetta::gEdition);
}
