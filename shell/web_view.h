#pragma once

#include <wx/panel.h>

class wxWebView;
class wxWebViewEvent;

namespace sorvane {

// The address the browser is given for what the program or a person names: a
// path that exists (and any absolute path) becomes a file: address; an address
// with a scheme is passed on as it is; anything else is taken for a web
// address, as a browser's address box takes it, and gets "http://".
wxString BrowserAddress(const wxString& address);

// What the browser view reports to the window round it.
class WebViewEvents {
 public:
  virtual ~WebViewEvents() = default;
  virtual void OnNavigateComplete2(const wxString& address) = 0;
  virtual void OnTitleChange(const wxString& title) = 0;
  virtual void OnDocumentComplete(const wxString& address) = 0;
  // The browser's status text changed: the address under the pointer, or
  // empty when the pointer left the link.
  virtual void OnStatusTextChange(const wxString& text) = 0;
};

// The embedded browser behind the "Web View" tab: a thin layer over the
// toolkit's web view, with the operations and the three event reactions the
// window needs. UI thread only.
class CWebView final : public wxPanel {
 public:
  CWebView(wxWindow* parent, WebViewEvents& events);

  void Navigate(const wxString& address);
  void GoBack();
  void GoForward();
  // The browser's own home: an empty page, before the start page is shown.
  void GoHome();
  void Refresh();
  void Stop();
  // 0 (smallest) to 4 (largest).
  void SetTextSize(int zoom);
  int TextSize() const;
  void Print();
  wxString CurrentAddress() const;

  wxWebView* Browser() const { return m_browser; }

 private:
  void BindEvents();
  void OnNavigated(wxWebViewEvent& event);
  void OnLoaded(wxWebViewEvent& event);
  void OnTitleChanged(wxWebViewEvent& event);
  void OnScriptMessage(wxWebViewEvent& event);

  WebViewEvents& m_events;
  wxWebView* m_browser = nullptr;
};

}  // namespace sorvane
