#pragma once

#include <wx/string.h>

namespace sorvane {

class CMainFrame;

// The document: it holds no data. Opening one shows the HTML file in the browser
// view on the "Web View" tab. UI thread only.
class CSorvaneDoc {
 public:
  explicit CSorvaneDoc(CMainFrame& frame);

  // False when the file cannot be read; the browser keeps its page then.
  bool OnOpenDocument(const wxString& path);
  // The document's title becomes the window's caption: title - Sorvane.
  void SetTitle(const wxString& title);
  const wxString& GetTitle() const { return m_title; }

 private:
  CMainFrame& m_frame;
  wxString m_title = "Untitled";
};

}  // namespace sorvane
