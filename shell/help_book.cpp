#include "shell/help_book.h"

#include <wx/html/helpctrl.h>
#include <wx/msgdlg.h>

#include "shell/maker_info.h"

namespace sorvane {

std::filesystem::path HelpBookPath(const std::filesystem::path& helpPath) {
  std::filesystem::path book = helpPath;
  book.replace_extension(".htb");
  return book;
}

CHelpBook::CHelpBook(std::filesystem::path helpPath) : m_book(HelpBookPath(helpPath)) {}

CHelpBook::~CHelpBook() = default;

wxHtmlHelpController* CHelpBook::Open(wxWindow* owner) {
  if (m_controller) return m_controller.get();
  std::error_code error;
  auto controller = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, owner);
  if (!std::filesystem::exists(m_book, error) || !controller->AddBook(wxString::FromUTF8(m_book.string()))) {
    wxMessageBox("Cannot find the help file " + wxString::FromUTF8(m_book.string()) + ".", kApplicationName,
                 wxOK | wxICON_EXCLAMATION, owner);
    return nullptr;
  }
  m_controller = std::move(controller);
  return m_controller.get();
}

void CHelpBook::ShowContents(wxWindow* owner) {
  if (wxHtmlHelpController* help = Open(owner)) help->DisplayContents();
}

void CHelpBook::ShowKeyword(wxWindow* owner, const char* keyword) {
  if (wxHtmlHelpController* help = Open(owner)) help->KeywordSearch(keyword);
}

}  // namespace sorvane
