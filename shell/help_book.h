#pragma once

#include <filesystem>
#include <memory>

class wxHtmlHelpController;
class wxWindow;

namespace sorvane {

inline constexpr const char* kHelpFileName = "sorvane.hlp";
inline constexpr const char* kHowToUseKeyword = "Step by Step Search Example";

// The help book beside the program: the help path with the HTML help book's
// extension (sorvane.htb for sorvane.hlp).
std::filesystem::path HelpBookPath(const std::filesystem::path& helpPath);

// The program's help, opened on first use. UI thread only.
class CHelpBook {
 public:
  explicit CHelpBook(std::filesystem::path helpPath);
  ~CHelpBook();

  // The contents, or the topic found for a keyword; a box tells the user when
  // the book is missing.
  void ShowContents(wxWindow* owner);
  void ShowKeyword(wxWindow* owner, const char* keyword);

 private:
  wxHtmlHelpController* Open(wxWindow* owner);

  std::filesystem::path m_book;
  std::unique_ptr<wxHtmlHelpController> m_controller;
};

}  // namespace sorvane
