#pragma once

#include <functional>

class wxChoice;

namespace sorvane {

// Calls `onChosenAgain` (from the event loop, after the list has closed) when
// the person opens the list of `choice` and chooses the entry already shown,
// by mouse or keyboard. The toolkit sends no selection event then, since the
// selection did not change, yet a person who picks an entry expects it to act.
// Closing the list without a choice (Esc, a click elsewhere) calls nothing.
// Where the toolkit gives no way to see the choice this does nothing.
void CallWhenShownEntryIsChosenAgain(wxChoice& choice, std::function<void()> onChosenAgain);

// Whether the list of `choice` is open now (for tests driving it by keyboard,
// which must wait for the list before choosing in it).
bool IsChoiceListOpen(const wxChoice& choice);

}  // namespace sorvane
