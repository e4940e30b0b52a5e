#include "shell/help_book.h"

#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/msgdlg.h>

#include "platform/help_book_location.h"
#include "platform/program_folder.h"
#include "shell/maker_info.h"

namespace sorvane {

CHelpBook::CHelpBook(std::filesystem::path helpPath) : m_helpPath(std::move(helpPath)) {}

CHelpBook::~CHelpBook() = default;

wxHtmlHelpController* CHelpBook::Open(wxWindow* owner) {
  if (m_controller) return m_controller.get();
  // The book is a zip archive; the toolkit reads it through its archive file system.
  static bool archivesReadable = [] {
    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    return true;
  }();
  (void)archivesReadable;

  const std::filesystem::path book = FindHelpBook(
      HelpBookCandidates(m_helpPath, ExecutableFolder(), CurrentProgramFolderInputs(std::nullopt).defaultsFolders));
  std::error_code error;
  auto controller = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, owner);
  if (!std::filesystem::is_regular_file(book, error) || !controller->AddBook(wxString::FromUTF8(book.string()))) {
    wxMessageBox("Cannot find the help file " + wxString::FromUTF8(book.string()) + ".", kApplicationName,
                 wxOK | wxICON_EXCLAMATION, owner);
    return nullptr;
  }
  m_controller = std::move(controller);
  return m_controller.get();
}

void CHelpBook::ShowContents(wxWindow* owner) {
  if (wxHtmlHelpController* help = Open(owner)) {
    help->DisplayContents();
    Raise(owner);
  }
}

// The index holds the keyword as an entry of its own, so the search keeps to the
// index: a search of every page's text would open whichever page mentions the
// words first.
void CHelpBook::ShowKeyword(wxWindow* owner, const char* keyword) {
  if (wxHtmlHelpController* help = Open(owner)) {
    help->KeywordSearch(keyword, wxHELP_SEARCH_INDEX);
    Raise(owner);
  }
}

void CHelpBook::ShowPage(wxWindow* owner, const std::string& page, bool overModalDialog) {
  wxHtmlHelpController* help = Open(owner);
  if (!help) return;
  if (overModalDialog) {
    // The controller's own Display grabs the input for its window while a
    // modal dialog is up, and returns when the help window is closed.
    help->Display(wxString::FromUTF8(page));
    return;
  }
  help->DisplayContents();
  if (wxHtmlHelpWindow* window = help->GetHelpWindow()) window->Display(wxString::FromUTF8(page));
  Raise(owner);
}

wxWindow* CHelpBook::Window() const {
  if (!m_controller) return nullptr;
  return m_controller->FindTopLevelWindow();
}

std::string CHelpBook::ShownPage() const {
  if (!m_controller || !Window() || !m_controller->GetHelpWindow()) return {};
  wxHtmlWindow* page = m_controller->GetHelpWindow()->GetHtmlWindow();
  return page ? std::string(page->GetOpenedPage().utf8_str()) : std::string();
}

void CHelpBook::Raise(wxWindow*) {
  if (wxWindow* frame = Window()) frame->Raise();
}

}  // namespace sorvane
