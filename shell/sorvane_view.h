#pragma once

#include <wx/panel.h>

#include <filesystem>

#include "shell/app_settings.h"

class wxListCtrl;
class wxNotebook;
class wxBookCtrlEvent;

namespace sorvane {

class CWebView;
class WebViewEvents;

// What the view asks of the frame round it.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  // Called once when the view finds no browser: remove the browser's bars and menus.
  virtual void TrimForNoBrowser() = 0;
};

// The document's view, the right-hand pane: the results table and, when there is
// a browser, the browser view, behind the tabs "Web View" and "List View".
// UI thread only.
class CSorvaneView final : public wxPanel {
 public:
  static constexpr int kWebViewTab = 0;
  static constexpr int kListViewTab = 1;

  CSorvaneView(wxWindow* parent, ViewHost& host, WebViewEvents& webEvents, std::filesystem::path programFolder,
               bool browserView);

  // The one-time set-up: the table's columns, the browser view and its tabs, or
  // the trimmed window without them. Later calls do nothing.
  void OnInitialUpdate();
  // Brings the window of the selected tab to the front.
  void ShowSelectedTab();
  void SelectTab(int tab);
  int SelectedTab() const;

  CWebView* WebView() const { return m_webView; }
  wxListCtrl* ResultsList() const { return m_table; }
  wxNotebook* Tabs() const { return m_tabs; }
  wxWindow* ShownWindow() const { return m_shownWindow; }

  // The results list's colours: applied to the list, and read back for saving.
  void SetListColours(const ListColours& colours);
  const ListColours& GetListColours() const { return m_colours; }

 private:
  void BindEvents();
  void AddResultColumns();
  void OnTabChanged(wxBookCtrlEvent& event);

  ViewHost& m_host;
  WebViewEvents& m_webEvents;
  std::filesystem::path m_programFolder;
  bool m_wantBrowser;
  bool m_initialized = false;
  wxNotebook* m_tabs = nullptr;
  wxListCtrl* m_table = nullptr;
  CWebView* m_webView = nullptr;
  wxWindow* m_shownWindow = nullptr;
  ListColours m_colours;
};

}  // namespace sorvane
