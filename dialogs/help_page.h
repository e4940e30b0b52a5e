#pragma once

#include <string>

class wxWindow;

namespace sorvane {

// Whoever holds the help book: a window up a dialog's parent chain (the main
// frame) that can show one page of it.
class HelpPageHost {
 public:
  virtual ~HelpPageHost() = default;
  // `page` is a file of the book ("search_dialog.html"); `from` is the window F1
  // was pressed in, so the help shows on top of it.
  virtual void ShowHelpPage(wxWindow* from, const std::string& page) = 0;
};

// Names the help page F1 opens while `window` (a dialog) or any control in it has
// the focus. The page goes to the first HelpPageHost among the window's parents,
// else to the application's top window when that is one; without a host F1
// does nothing. UI thread only.
void SetHelpPage(wxWindow& window, const char* page);

}  // namespace sorvane
