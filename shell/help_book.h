#pragma once

#include <filesystem>
#include <memory>
#include <string>

class wxHtmlHelpController;
class wxWindow;

namespace sorvane {

inline constexpr const char* kHelpFileName = "sorvane.hlp";
inline constexpr const char* kHowToUseKeyword = "Step by Step Search Example";

// The program's help: the HTML help book named after the help path (sorvane.htb
// for sorvane.hlp), looked for where HelpBookCandidates says and opened on first
// use. Its window is an ordinary frame: nothing here waits for it. UI thread only.
class CHelpBook {
 public:
  explicit CHelpBook(std::filesystem::path helpPath);
  ~CHelpBook();

  // The contents; the page whose index entry holds a keyword; one page of the
  // book by its file name. A box tells the user when the book is missing.
  void ShowContents(wxWindow* owner);
  void ShowKeyword(wxWindow* owner, const char* keyword);
  // `overModalDialog`: asked from a modal dialog, which holds every input of the
  // program; the help window then takes the input over until it is closed (the
  // call returns then), so it can be read and scrolled. Otherwise it is an
  // ordinary window and the call returns at once.
  void ShowPage(wxWindow* owner, const std::string& page, bool overModalDialog);

  // The help window while it is open, else null; the address of the page it
  // shows (empty without one).
  wxWindow* Window() const;
  std::string ShownPage() const;

 private:
  wxHtmlHelpController* Open(wxWindow* owner);
  void Raise(wxWindow* from);

  std::filesystem::path m_helpPath;
  std::unique_ptr<wxHtmlHelpController> m_controller;
};

}  // namespace sorvane
