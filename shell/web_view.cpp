#include "shell/web_view.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/sizer.h>
#include <wx/webview.h>

#include "res/resource_ids.h"

namespace sorvane {

CWebView::CWebView(wxWindow* parent, WebViewEvents& events)
    : wxPanel(parent, wxID_ANY, wxPoint(0, 0), wxSize(300, 300)), m_events(events) {
  m_browser = wxWebView::New(this, ids::IDC_WEB_VIEW, wxWebViewDefaultURLStr, wxDefaultPosition, wxDefaultSize,
                             wxWebViewBackendDefault, 0, "Sorvane");
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  if (m_browser) sizer->Add(m_browser, 1, wxEXPAND);
  SetSizer(sizer);
  BindEvents();
}

namespace {

// The browser control tells nothing of the link under the pointer, so each page
// is given a small script that does: the link's address as the pointer enters
// it, an empty text as it leaves.
constexpr const char* kStatusHandler = "sorvaneStatus";
constexpr const char* kStatusScript =
    "(function () {"
    "  var shown = null;"
    "  function handler() {"
    "    if (window.sorvaneStatus) return window.sorvaneStatus;"
    "    var webkit = window.webkit && window.webkit.messageHandlers;"
    "    return webkit ? webkit.sorvaneStatus : null;"
    "  }"
    "  function tell(text) {"
    "    var to = handler();"
    "    if (text === shown || !to) return;"
    "    shown = text;"
    "    to.postMessage(text);"
    "  }"
    "  document.addEventListener('mouseover', function (event) {"
    "    var link = event.target && event.target.closest ? event.target.closest('a[href]') : null;"
    "    tell(link ? link.href : '');"
    "  }, true);"
    "  document.addEventListener('mouseleave', function () { tell(''); }, true);"
    "})();";

}  // namespace

void CWebView::BindEvents() {
  if (!m_browser) return;
  if (m_browser->AddScriptMessageHandler(kStatusHandler)) {
    m_browser->AddUserScript(kStatusScript, wxWEBVIEW_INJECT_AT_DOCUMENT_END);
    m_browser->Bind(wxEVT_WEBVIEW_SCRIPT_MESSAGE_RECEIVED, &CWebView::OnScriptMessage, this);
  }
  m_browser->Bind(wxEVT_WEBVIEW_NAVIGATED, &CWebView::OnNavigated, this);
  m_browser->Bind(wxEVT_WEBVIEW_LOADED, &CWebView::OnLoaded, this);
  m_browser->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &CWebView::OnTitleChanged, this);
}

// Local pages are given as plain paths (the start page, the results page,
// opened documents); the browser wants them as file: addresses.
wxString BrowserAddress(const wxString& address) {
  if (address.empty() || address.Contains("://")) return address;
  const wxFileName path(address);
  if (path.IsAbsolute() || wxFileName::FileExists(address) || wxFileName::DirExists(address)) {
    wxFileName absolute(path);
    absolute.MakeAbsolute();
    return wxFileSystem::FileNameToURL(absolute);
  }
  // Schemes written without "//".
  for (const char* scheme : {"about:", "data:", "file:", "javascript:", "mailto:", "view-source:"}) {
    if (address.Lower().StartsWith(scheme)) return address;
  }
  return "http://" + address;
}

void CWebView::Navigate(const wxString& address) {
  if (m_browser) m_browser->LoadURL(BrowserAddress(address));
}

void CWebView::GoBack() {
  if (m_browser && m_browser->CanGoBack()) m_browser->GoBack();
}

void CWebView::GoForward() {
  if (m_browser && m_browser->CanGoForward()) m_browser->GoForward();
}

void CWebView::GoHome() { Navigate(wxWebViewDefaultURLStr); }

void CWebView::Refresh() {
  if (m_browser) m_browser->Reload();
}

void CWebView::Stop() {
  if (m_browser) m_browser->Stop();
}

void CWebView::SetTextSize(int zoom) {
  if (m_browser && zoom >= wxWEBVIEW_ZOOM_TINY && zoom <= wxWEBVIEW_ZOOM_LARGEST) {
    m_browser->SetZoom(static_cast<wxWebViewZoom>(zoom));
  }
}

int CWebView::TextSize() const { return m_browser ? static_cast<int>(m_browser->GetZoom()) : wxWEBVIEW_ZOOM_MEDIUM; }

void CWebView::Print() {
  if (m_browser) m_browser->Print();
}

wxString CWebView::CurrentAddress() const { return m_browser ? m_browser->GetCurrentURL() : wxString(); }

// The event's own address is the one that counts: a cancelled load reports the
// previous page, and a missing file reports the browser's error page.
void CWebView::OnNavigated(wxWebViewEvent& event) {
  m_events.OnNavigateComplete2(event.GetURL());
  event.Skip();
}

void CWebView::OnLoaded(wxWebViewEvent& event) {
  m_events.OnDocumentComplete(event.GetURL());
  event.Skip();
}

void CWebView::OnScriptMessage(wxWebViewEvent& event) {
  // The GTK backend leaves the handler's name out of the event; ours is the
  // only handler a page can reach, so an empty name is ours too.
  const wxString handler = event.GetMessageHandler();
  if (handler.empty() || handler == kStatusHandler) m_events.OnStatusTextChange(event.GetString());
  event.Skip();
}

void CWebView::OnTitleChanged(wxWebViewEvent& event) {
  m_events.OnTitleChange(event.GetString());
  event.Skip();
}

}  // namespace sorvane
