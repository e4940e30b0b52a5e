// What a person does with the rows of the results list beyond opening them:
// the row menu (open, open in the browser or the file's folder, copy), and
// finding in the results with the bar above the list. The rules (sorting,
// filtering, new rows) are the core's; this file shows them.
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#include <filesystem>
#include <memory>

#include "dialogs/wx_text.h"
#include "pcsearch/folder_scan.h"
#include "res/menu_builder.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/standard_ids.h"
#include "results/results_list_ctrl.h"
#include "shell/maker_info.h"
#include "shell/results_find_bar.h"
#include "shell/shell_open_messages.h"
#include "shell/sorvane_view.h"

namespace sorvane {

namespace {

bool PutOnClipboard(const std::string& text) {
  wxClipboardLocker locker;
  if (!locker) return false;
  // wxTextDataObject offers the text as UTF-8 to other programs.
  return wxTheClipboard->SetData(new wxTextDataObject(ToWx(text)));
}

}  // namespace

std::optional<CSorvaneView::RowCellsOfHit> CSorvaneView::SelectedRowCells() const {
  if (!m_table || !m_resultsTable || m_table->GetFirstSelected() < 0) return std::nullopt;
  const TableRows::RowId hit = m_table->SelectedHit();
  return m_resultsTable->WithLock([hit](TableRows& rows) -> std::optional<RowCellsOfHit> {
    const int row = rows.RowOfId(hit);
    if (row < 0) return std::nullopt;
    return RowCellsOfHit{rows.Cell(row, rows.FindColumn(kDescriptionColumn)),
                         rows.Cell(row, rows.FindColumn(kUrlColumn)),
                         rows.Cell(row, rows.FindColumn(kEngineColumn))};
  });
}

void CSorvaneView::MarkSelectedViewed() {
  const TableRows::RowId hit = m_table->SelectedHit();
  m_resultsTable->WithLock([hit](TableRows& rows) {
    const int row = rows.RowOfId(hit);
    if (row >= 0) rows.SetViewed(row, true);
  });
  m_host.SaveSearch();
}

void CSorvaneView::OnRowContextMenu(wxContextMenuEvent& event) {
  const wxPoint screen = event.GetPosition();
  ShowRowMenu(screen == wxDefaultPosition ? wxDefaultPosition : m_table->RowsWindow().ScreenToClient(screen));
}

void CSorvaneView::ShowRowMenu(const wxPoint& where) {
  const std::optional<RowCellsOfHit> cells = SelectedRowCells();
  if (!cells) return;
  wxPoint at = where;
  if (at == wxDefaultPosition) {
    const long row = m_table->GetFirstSelected();
    m_table->EnsureVisible(row);
    at = wxPoint(CResultsListCtrl::kPictureWidth + 16,
                 static_cast<int>(row - m_table->GetTopItem() + 1) * CResultsListCtrl::kRowHeight);
  }
  std::unique_ptr<wxMenu> menu(res::BuildMenu(res::ResultRowMenu(cells->engine == kPcSearchEngineName)));
  m_table->RowsWindow().PopupMenu(menu.get(), at);
}

void CSorvaneView::BindRowCommands(wxWindow& menuOwner) {
  const auto command = [&menuOwner](int programId, std::function<void()> action) {
    menuOwner.Bind(wxEVT_MENU, [action](wxCommandEvent&) { action(); }, res::ToWxId(programId));
  };
  command(ids::ID_ROW_OPEN, [this] { OpenRow(); });
  command(ids::ID_ROW_OPEN_BROWSER, [this] { OpenRowInBrowser(); });
  command(ids::ID_ROW_OPEN_FOLDER, [this] { OpenRowFolder(); });
  command(ids::ID_ROW_COPY_ADDRESS, [this] { CopyRowAddress(); });
  command(ids::ID_ROW_COPY_DESCRIPTION, [this] { CopyRowDescription(); });
}

// The system's browser, whether or not the Web View exists; the row counts as
// opened, as a double-click does.
bool CSorvaneView::OpenRowInBrowser() {
  const std::optional<RowCellsOfHit> cells = SelectedRowCells();
  if (!cells) return false;
  const std::string_view message = OpenRowMessage(m_host.LaunchAddress(ToWx(cells->url)));
  if (!message.empty()) {
    wxMessageBox(wxString::FromUTF8(message.data(), message.size()), kApplicationName, wxOK,
                 wxGetTopLevelParent(this));
  }
  MarkSelectedViewed();
  return true;
}

// The folder a found file lies in, with the system's file manager.
bool CSorvaneView::OpenRowFolder() {
  const std::optional<RowCellsOfHit> cells = SelectedRowCells();
  if (!cells) return false;
  const std::string folder = std::filesystem::path(cells->url).parent_path().string();
  const std::string_view message = OpenRowMessage(m_host.LaunchAddress(ToWx(folder)));
  if (!message.empty()) {
    wxMessageBox(wxString::FromUTF8(message.data(), message.size()), kApplicationName, wxOK,
                 wxGetTopLevelParent(this));
  }
  return true;
}

bool CSorvaneView::CopyRowAddress() {
  const std::optional<RowCellsOfHit> cells = SelectedRowCells();
  return cells && PutOnClipboard(cells->url);
}

bool CSorvaneView::CopyRowDescription() {
  const std::optional<RowCellsOfHit> cells = SelectedRowCells();
  return cells && PutOnClipboard(cells->description);
}

void CSorvaneView::ShowFindBar() {
  if (!m_findBar) return;
  SelectTab(kListViewTab);
  m_findBar->EnableNewOnly(m_table->MarksNewRows());
  if (!m_findBar->IsShown()) {
    m_findBar->Show();
    m_listPage->Layout();
  }
  m_findBar->FocusText();
  ApplyFilter();
}

void CSorvaneView::CloseFindBar() {
  if (!m_findBar || !m_findBar->IsShown()) return;
  m_findBar->Clear();
  m_findBar->Hide();
  m_listPage->Layout();
  m_table->SetFilter({}, false);
  m_host.ShowStatus("Ready");
  m_table->RowsWindow().SetFocus();
}

bool CSorvaneView::FindBarShown() const { return m_findBar && m_findBar->IsShown(); }

void CSorvaneView::ApplyFilter() {
  if (!m_table || !FindBarShown()) return;
  m_table->SetFilter(m_findBar->Text(), m_findBar->NewOnly());
}

void CSorvaneView::ReportShownRows() {
  if (!m_table || !m_table->IsFiltering()) return;
  m_host.ShowStatus(wxString::Format("%d of %d hits shown", static_cast<int>(m_table->GetItemCount()),
                                     static_cast<int>(m_table->GetTotalCount())));
}

void CSorvaneView::ResetResultsView() {
  if (!m_table) return;
  m_table->ResetOrder();
  m_table->SetEarlierAddresses(std::nullopt);
  if (m_findBar) m_findBar->EnableNewOnly(false);
  ApplyFilter();
}

void CSorvaneView::MarkNewRows(const std::optional<EarlierSearch>& earlier) {
  if (!m_table) return;
  m_table->SetEarlierAddresses(earlier ? std::optional(earlier->addresses) : std::nullopt);
  if (m_findBar) m_findBar->EnableNewOnly(earlier.has_value());
  ApplyFilter();
}

}  // namespace sorvane
