// The search form bound to the main window's controls: a FormView that turns
// the form's output into control messages, and the routing of the controls'
// notifications into form events.
#pragma once

#include <windows.h>

#include "search/form.h"

namespace orvetta {

// The form of the running main window; null before start-up step 7 and after
// the main window is gone.
extern SearchForm* gSearchForm;

// Puts the form into its first state over the controls that exist now; run
// again for a rebuilt list, it empties the choices and the result list first.
void formInitialise(const PlaceList& places);
// Hands a command or control notification (id, code) to the form. Returns
// false when the form has no event for it.
bool formOnCommand(int id, int code);
// The form's texts in the face in force.
void formApplyLanguage();
// Forgets the form (the controls are gone).
void formRelease();

}  // namespace orvetta
