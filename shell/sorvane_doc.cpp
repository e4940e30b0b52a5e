#include "shell/sorvane_doc.h"

#include <wx/filename.h>
#include <wx/file.h>

#include "shell/main_frame.h"
#include "shell/web_view.h"

namespace sorvane {

CSorvaneDoc::CSorvaneDoc(CMainFrame& frame) : m_frame(frame) { m_frame.SetDocumentTitle(m_title); }

bool CSorvaneDoc::OnOpenDocument(const wxString& path) {
  // Reading nothing, the document only needs the file to be readable.
  if (!wxFileName::FileExists(path) || !wxFile::Access(path, wxFile::read)) return false;
  SetTitle(wxFileName(path).GetFullName());
  CSorvaneView* view = m_frame.View();
  if (view && view->WebView()) {
    view->WebView()->Navigate(wxFileName(path).GetAbsolutePath());
    view->SelectTab(CSorvaneView::kWebViewTab);
  }
  return true;
}

void CSorvaneDoc::SetTitle(const wxString& title) {
  m_title = title;
  m_frame.SetDocumentTitle(title);
}

}  // namespace sorvane
