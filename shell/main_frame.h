#pragma once

#include <wx/frame.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/category.h"
#include "core/engine_list.h"
#include "core/results_table.h"
#include "core/search_run.h"
#include "dialogs/help_page.h"
#include "results/results_export.h"
#include "results/search_completion.h"
#include "shell/app_settings.h"
#include "shell/frame_options.h"
#include "shell/help_book.h"
#include "shell/sorvane_view.h"
#include "shell/web_view.h"

class wxButton;
class wxChoice;
class wxCommandEvent;
class wxListEvent;
class wxComboBox;
class wxGenericAnimationCtrl;
class wxMenu;
class wxPanel;
class wxSplitterWindow;
class wxStaticText;
class wxToolBar;

namespace sorvane {

class CCategoryPane;
class CSearchReportDlg;
class CSearchStatusDlg;
class CSearchingPCDlg;
class ScanControl;
class CSorvaneDoc;
class WindowEngineListener;

// A free-standing copy of a menu and its submenus, for a second place to show it.
wxMenu* CopyMenu(const wxMenu& menu);

// The program's one top-level window: the bar rows (toolbar and throbber; the
// address box and the Previous Searches bar), the status bar, the splitter with
// the category pane and the view, the Favorites menu and the settings held in
// memory. It routes every command. UI thread only; search workers reach it only
// through the calls the search run marshals onto this thread.
//
// The frame's work is split by concern over several files: creation and
// settings (main_frame.cpp), the bars (main_frame_bars.cpp), the command table
// (main_frame_commands.cpp), browser navigation and the trimmed window
// (main_frame_navigation.cpp), the Favorites menu (main_frame_favorites.cpp),
// the web search from start to finish (main_frame_search.cpp), the PC search
// (main_frame_pc_search.cpp), the Previous Searches bar (main_frame_previous.cpp)
// and finding in and exporting the results (main_frame_results.cpp).
class CMainFrame final : public wxFrame, public ViewHost, public WebViewEvents, public HelpPageHost {
 public:
  // What a click on the category pane started.
  enum class SearchKind { None, PcSearch, WebSearch };

  explicit CMainFrame(const FrameOptions& options);
  ~CMainFrame() override;

  // Frame creation in the fixed order; false when a required part failed.
  bool Create();

  void SetDocument(CSorvaneDoc* document) { m_document = document; }

  // Settings, read during creation and written when the window is destroyed.
  void LoadSettings();
  void SaveSettings();

  // The category pane's click rule; also the New Search command's.
  SearchKind SearchSelectedCategory();
  // The large picture of an image index, 0 for "My PC" and unknown indices.
  static int CategoryPicture(int imageIndex);
  wxBitmap CategoryBitmap(int imageIndex) const;
  // The category pane's menu at the pointer, or at `where` (client co-ordinates).
  void ShowCategoryMenu();
  void ShowCategoryMenu(const wxPoint& where);
  // F6 and Shift+F6: the focus to the next (previous) of the category pane, the
  // view and the bars.
  void MoveFocusBetweenParts(bool forward);
  // The controls Tab goes through, in order (null or hidden ones are passed over).
  std::vector<wxWindow*> TabOrder() const;
  // The framework's New: an empty document, caption "Untitled - Sorvane".
  void NewDocument();
  // Category Properties of a row (its engines, its picture).
  void EditCategoryProperties(int row);

  // The web search of a category row: the Search dialog offers `initialWords`;
  // on "&Search Now" one worker per engine of the row fills the results table
  // while the Search Status window follows them. Nothing happens on Cancel.
  void StartSearch(int row, const std::string& initialWords);
  void StartPcSearch();

  // What the search workers report, already on the UI thread (the search run's
  // listener brings each call here).
  void OnEngineProgress(int engineSlot, int percentage);
  // After the last engine's done: the status window goes and the search ends.
  void OnSearchDone();
  void OnPcSearchDone();
  // The common end of every search: the page written and shown, the search
  // saved and listed, the throbber stopped.
  void FinishSearch();
  // Whether a web search is under way (from its start to its finish).
  bool IsSearching() const { return m_searching; }

  // The Previous Searches bar: rebuilt from the saved searches' folder, with
  // the entry of `shown` selected (the search on screen), or the first entry
  // when there is no such entry.
  void FillPreviousSearches(const std::string& shown = {});
  void OnPreviousSearchSelected();
  void OnSearchAgain();
  void OnDeleteSearch();

  // Browser operations the menus, the address box and the documents use.
  void NavigateTo(const wxString& address);
  void StartThrobber();
  void StopThrobber();
  // Sets the caption: the page title, a dash and "Sorvane".
  void SetDocumentTitle(const wxString& title);

  // ViewHost
  void TrimForNoBrowser() override;
  // Saves the table under the last words, with the selected category row.
  void SaveSearch() override;
  int LaunchAddress(const wxString& address) override;
  void ShowStatus(const wxString& text) override;

  // File > Export Results: the table as CSV, JSON or the results page, by
  // the file type chosen in the save dialog. ExportResultsTo writes `path`
  // (given no extension, the format's) and says so in the status bar; false
  // when it could not be written.
  bool ExportResultsTo(const std::filesystem::path& path, ExportFormat format);
  // The status texts of the results: after a search that had an earlier one
  // of the same words, and when a previous search is chosen.
  static wxString NewRowsStatusText(const CompletionResult& completion);
  static wxString SavedSearchStatusText(const EarlierSearch& saved);
  // HelpPageHost: F1 in a dialog; the help window belongs to the frame, not
  // to the dialog, so it stays open when the dialog closes.
  void ShowHelpPage(wxWindow* from, const std::string& page) override;
  CHelpBook& Help() { return m_help; }
  // WebViewEvents
  void OnNavigateComplete2(const wxString& address) override;
  void OnTitleChange(const wxString& title) override;
  void OnDocumentComplete(const wxString& address) override;
  void OnStatusTextChange(const wxString& text) override;

  // Places the bars for the window's width first (main_frame_bars.cpp).
  bool Layout() override;

  // For the other windows of the program and for tests.
  CSorvaneView* View() const { return m_pView; }
  CSearchStatusDlg* StatusWindow() const { return m_pStatusDlg; }
  // The Search Report window, once View > "Search &Report" has made it.
  CSearchReportDlg* SearchReportWindow() const { return m_pReportDlg; }
  CSearchingPCDlg* SearchingPcWindow() const { return m_pSearchingPcDlg; }
  const std::shared_ptr<ResultsTable>& ResultsTableModel() const { return m_resultsTable; }
  SearchRunner& Searches() { return m_searchRunner; }
  CCategoryPane* CategoryList() const { return m_pCategoryList; }
  wxComboBox* AddressBox() const { return m_wndAddress; }
  wxToolBar* ToolBar() const { return m_wndToolBar; }
  wxPanel* ReBar() const { return m_wndReBar; }
  wxPanel* DialogBar() const { return m_wndDlgBar; }
  wxGenericAnimationCtrl* Throbber() const { return m_wndAnimate; }
  wxChoice* PreviousSearches() const { return m_cbPrevious; }
  wxButton* PreviousSearchButton() const { return m_btnSearch; }
  wxButton* DeleteSearchButton() const { return m_btnDelete; }
  const std::vector<std::string>& FavoriteUrls() const { return m_favoriteUrls; }
  wxMenu* FavoritesPopup() const;
  AppSettings& Settings() { return m_settings; }
  SettingsStore& SettingsSection() { return *m_options.settings; }
  CategoryRows& Categories() { return m_categories; }
  EngineList& Engines() { return m_engines; }
  const std::filesystem::path& ProgramFolder() const { return m_options.programFolder; }
  const std::string& LastQuery() const { return m_strLastQuery; }
  void SetLastQuery(std::string words) { m_strLastQuery = std::move(words); }

 private:
  // Creation (main_frame.cpp, main_frame_bars.cpp).
  bool CreateBars();
  bool CreateDialogBar();
  bool CreateToolBar();
  void CreateAddressAndThrobber();
  void LayoutReBar();
  void ArrangeBars(int width);
  void SetToolDropDowns();
  bool CreateStatusBarPanes();
  bool OnCreateClient();
  void BindEvents();
  void BindCommands();

  // Favorites (main_frame_favorites.cpp).
  void FillFavoritesMenu();
  void OnFavorite(wxCommandEvent& event);

  // Commands (main_frame_commands.cpp).
  void OnFileOpen(wxCommandEvent& event);
  void OnPreferences(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  void OnViewToolBar(wxCommandEvent& event);
  void OnViewStatusBar(wxCommandEvent& event);
  void OnViewEngines(wxCommandEvent& event);
  void OnViewSearchReport(wxCommandEvent& event);
  void OnHelpContents(wxCommandEvent& event);
  void OnHelpHowToUse(wxCommandEvent& event);
  void OnLiveUpdate(wxCommandEvent& event);
  void OnVisitWeb(wxCommandEvent& event);
  void OnAbout(wxCommandEvent& event);
  void OnNewSearch(wxCommandEvent& event);
  void OnCategoryProperties(wxCommandEvent& event);
  void OnFindInResults(wxCommandEvent& event);
  void OnExportResults(wxCommandEvent& event);
  void OnPreviousSearch(wxCommandEvent& event);
  void OnDeleteSearchButton(wxCommandEvent& event);
  void OnPreviousSelChange(wxCommandEvent& event);
  void OnCategoryClick(wxMouseEvent& event);
  void OnCategoryContextMenu(wxContextMenuEvent& event);
  void OnDropFiles(wxDropFilesEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnIdleUpdateIndicators(wxIdleEvent& event);

  // Keyboard and focus (main_frame_focus.cpp).
  void BindKeyboard();
  void OnCharHook(wxKeyEvent& event);
  void OnCategoryKey(wxListEvent& event);
  wxWindow* ViewFocusWindow() const;

  // The web search (main_frame_search.cpp).
  void OnEngineDone(int engineSlot);
  void CloseStatusWindow();
  // The last web search's outcomes (main_frame_report.cpp): kept at its end,
  // told in the status bar and shown by the Search Report window.
  void KeepSearchReport(const SearchRun& run);
  void ShowWorkerMessage(std::string_view message);
  // The settings section, or a scratch one when the frame was given none.
  SettingsStore& StoredSettings();
  // PC search (main_frame_pc_search.cpp).
  void EndSearchUnderWay();
  int SelectedCategoryRow() const;

  // Navigation (main_frame_navigation.cpp).
  void OnGoBack(wxCommandEvent& event);
  void OnGoForward(wxCommandEvent& event);
  void OnStop(wxCommandEvent& event);
  void OnRefresh(wxCommandEvent& event);
  void OnStartPage(wxCommandEvent& event);
  void OnTextSize(wxCommandEvent& event);
  void OnPrint(wxCommandEvent& event);
  void OnAddressEnter(wxCommandEvent& event);
  void OnAddressChosen(wxCommandEvent& event);

  FrameOptions m_options;
  CSorvaneDoc* m_document = nullptr;
  CCategoryPane* m_pCategoryList = nullptr;
  CSorvaneView* m_pView = nullptr;
  std::string m_strLastQuery;
  AppSettings m_settings;
  CategoryRows m_categories;
  EngineList m_engines;
  wxGenericAnimationCtrl* m_wndAnimate = nullptr;
  wxComboBox* m_wndAddress = nullptr;
  wxStaticText* m_addressLabel = nullptr;
  std::vector<std::string> m_favoriteUrls;
  wxChoice* m_cbPrevious = nullptr;
  wxButton* m_btnSearch = nullptr;
  wxButton* m_btnDelete = nullptr;
  wxSplitterWindow* m_wndSplitter = nullptr;
  wxToolBar* m_wndToolBar = nullptr;
  wxPanel* m_wndReBar = nullptr;
  wxPanel* m_wndDlgBar = nullptr;
  CHelpBook m_help;
  // The results table every search fills and the list shows; one for the
  // frame's life, emptied at each start.
  std::shared_ptr<ResultsTable> m_resultsTable;
  SearchRunner m_searchRunner;
  std::shared_ptr<WindowEngineListener> m_runListener;
  CSearchStatusDlg* m_pStatusDlg = nullptr;
  CSearchReportDlg* m_pReportDlg = nullptr;
  std::string m_reportWords;
  std::vector<NamedOutcome> m_lastOutcomes;
  CSearchingPCDlg* m_pSearchingPcDlg = nullptr;
  std::shared_ptr<ScanControl> m_pcScan;
  bool m_searching = false;
  // What the engines of the web search just ended gave, for the status line
  // FinishSearch writes (empty for a PC search).
  wxString m_searchSummary;
  // The next banner of the results page; starts at 0 with every program start.
  int m_bannerIndex = 0;
  // Where window places go when the frame was given no settings.
  MemorySettingsStore m_scratchSettings;
  bool m_settingsSaved = false;
  bool m_trimmed = false;
};

}  // namespace sorvane
