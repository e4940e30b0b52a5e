#include "dialogs/wx_text.h"
#include "results/results_list_ctrl.h"

#include <wx/dcclient.h>
#include <wx/headerctrl.h>
#include <wx/listctrl.h>
#include <wx/settings.h>

#include <algorithm>
#include <mutex>

#include "res/image_resources.h"
#include "res/resource_ids.h"
#include "results/fit_text.h"
#include "results/row_text_measure.h"

namespace sorvane {

namespace {

constexpr int kWheelRows = 3;
constexpr double kSmallestPointSize = 6.0;

}  // namespace

// The header over the rows: its columns are the list's, asked for by index.
class ResultsHeader final : public wxHeaderCtrl {
 public:
  ResultsHeader(CResultsListCtrl& owner) : wxHeaderCtrl(&owner, wxID_ANY), m_owner(owner), m_column("") {}

  const wxHeaderColumn& GetColumn(unsigned int index) const override {
    const auto& column = m_owner.m_columns.at(index);
    m_column.SetTitle(column.title);
    m_column.SetWidth(column.width);
    m_column.SetFlags(wxCOL_RESIZABLE | wxCOL_SORTABLE);
    if (static_cast<int>(index) == m_owner.SortColumn()) m_column.SetSortOrder(!m_owner.SortDescending());
    else m_column.UnsetAsSortKey();
    return m_column;
  }

 private:
  CResultsListCtrl& m_owner;
  mutable wxHeaderColumnSimple m_column;
};

// The rows' area: paints the visible rows and turns clicks, the wheel and the
// scroll bars into the list's selection and scroll position.
class ResultsRows final : public wxWindow {
 public:
  explicit ResultsRows(CResultsListCtrl& owner)
      : wxWindow(&owner, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxVSCROLL | wxHSCROLL | wxALWAYS_SHOW_SB | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
        m_owner(owner) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &ResultsRows::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ResultsRows::OnLeftDown, this);
    Bind(wxEVT_RIGHT_DOWN, &ResultsRows::OnRightDown, this);
    Bind(wxEVT_LEFT_DCLICK, &ResultsRows::OnDoubleClick, this);
    Bind(wxEVT_KEY_DOWN, &ResultsRows::OnKeyDown, this);
    Bind(wxEVT_MOUSEWHEEL, &ResultsRows::OnWheel, this);
    for (const auto type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                            wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                            wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
      Bind(type, &ResultsRows::OnScroll, this);
  }

 private:
  void OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    m_owner.DrawVisibleRows(dc);
  }

  void OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    // A click below the last row clears the selection.
    m_owner.Select(m_owner.HitTest(event.GetPosition()));
    event.Skip();
  }

  // The row menu acts on the row under the pointer: it is selected first, as
  // a left click would, and the menu follows from the context-menu event.
  void OnRightDown(wxMouseEvent& event) {
    SetFocus();
    const long row = m_owner.HitTest(event.GetPosition());
    if (row >= 0) m_owner.Select(row);
    event.Skip();
  }

  void OnDoubleClick(wxMouseEvent& event) {
    const long row = m_owner.HitTest(event.GetPosition());
    if (row < 0) return;
    m_owner.Select(row);
    m_owner.ActivateRow(row);
  }

  void OnKeyDown(wxKeyEvent& event) {
    // The rows take every key (they must see the arrows and Enter), so Tab has
    // to be handed back to the window's own focus order here.
    if (event.GetKeyCode() == WXK_TAB && !event.ControlDown() && !event.AltDown()) {
      Navigate(event.ShiftDown() ? wxNavigationKeyEvent::IsBackward : wxNavigationKeyEvent::IsForward);
      return;
    }
    if (event.HasAnyModifiers() || !m_owner.HandleKey(event.GetKeyCode())) event.Skip();
  }

  void OnWheel(wxMouseEvent& event) {
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL) {
      m_owner.SetScrollPosition(m_owner.GetScrollPosition() + event.GetWheelRotation());
    } else {
      const int steps = event.GetWheelRotation() / std::max(1, event.GetWheelDelta());
      m_owner.ScrollToRow(m_owner.GetTopItem() - steps * kWheelRows);
    }
  }

  void OnScroll(wxScrollWinEvent& event) {
    const bool vertical = event.GetOrientation() == wxVERTICAL;
    const wxEventType type = event.GetEventType();
    const long page = vertical ? m_owner.GetCountPerPage() : GetClientSize().x;
    const long line = vertical ? 1 : 16;
    const long now = vertical ? m_owner.GetTopItem() : m_owner.GetScrollPosition();
    long next = now;
    if (type == wxEVT_SCROLLWIN_TOP) next = 0;
    else if (type == wxEVT_SCROLLWIN_BOTTOM) next = vertical ? m_owner.GetItemCount() : 1L << 30;
    else if (type == wxEVT_SCROLLWIN_LINEUP) next = now - line;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN) next = now + line;
    else if (type == wxEVT_SCROLLWIN_PAGEUP) next = now - page;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN) next = now + page;
    else next = event.GetPosition();
    if (vertical) m_owner.ScrollToRow(next);
    else m_owner.SetScrollPosition(static_cast<int>(std::min<long>(next, 1L << 30)));
  }

  CResultsListCtrl& m_owner;
};

// Table news crosses from the workers to the UI thread here: one queued call
// at a time, however many changes arrive before it runs.
struct CResultsListCtrl::Pending {
  std::mutex lock;
  CResultsListCtrl* owner = nullptr;  // null once the list is gone
  bool queued = false;
};

wxColour CResultsListCtrl::ToColour(ColorRef color) {
  return wxColour(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

CResultsListCtrl::CResultsListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size)
    : wxWindow(parent, id, position, size, wxBORDER_SUNKEN),
      m_rowBitmap(res::LoadBitmapResource(ids::IDB_ROW_PICTURE)),
      m_pending(std::make_shared<Pending>()) {
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  m_backgroundColor = static_cast<ColorRef>(window.Red()) | (static_cast<ColorRef>(window.Green()) << 8) |
                      (static_cast<ColorRef>(window.Blue()) << 16);
  m_pending->owner = this;
  m_header = new ResultsHeader(*this);
  m_rows = new ResultsRows(*this);
  FitFontToRows();
  m_rows->SetBackgroundColour(ToColour(m_backgroundColor));
  BindEvents();
  LayoutChildren();
}

CResultsListCtrl::~CResultsListCtrl() {
  {
    std::lock_guard guard(m_pending->lock);
    m_pending->owner = nullptr;
  }
  if (m_table) m_table->SetObserver(nullptr);
}

void CResultsListCtrl::BindEvents() {
  Bind(wxEVT_SIZE, &CResultsListCtrl::OnSize, this);
  // Focus given to the list (a click on its header, the Tab key, F6) belongs to
  // the rows, which take the keys.
  Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent&) { m_rows->SetFocus(); });
  m_header->Bind(wxEVT_HEADER_RESIZING, &CResultsListCtrl::OnHeaderResizing, this);
  m_header->Bind(wxEVT_HEADER_END_RESIZE, &CResultsListCtrl::OnHeaderResizing, this);
  m_header->Bind(wxEVT_HEADER_CLICK, &CResultsListCtrl::OnHeaderClick, this);
}

wxWindow& CResultsListCtrl::RowsWindow() const { return *m_rows; }

// The row layout puts three lines of text into the 48 pixels the row picture
// gives each row: the first at 1, the others at H + 5 and 2H + 5, H being the
// height of an "M". Desktop fonts here are often taller than that allows, and
// the third line would run into the black rule and the next row, so the rows
// use the largest size of the window's font that keeps all three inside.
void CResultsListCtrl::FitFontToRows() {
  wxFont font = m_rows->GetFont();
  const auto letterHeight = [this](const wxFont& candidate) {
    int width = 0;
    int height = 0;
    m_rows->GetTextExtent("M", &width, &height, nullptr, nullptr, &candidate);
    return height;
  };
  while (3 * letterHeight(font) + 5 > kRowHeight - 1 && font.GetFractionalPointSize() > kSmallestPointSize)
    font.SetFractionalPointSize(font.GetFractionalPointSize() - 0.5);
  m_rows->SetFont(font);
}

void CResultsListCtrl::SetTable(std::shared_ptr<ResultsTable> table) {
  if (m_table) m_table->SetObserver(nullptr);
  m_table = std::move(table);
  m_columns.clear();
  if (m_table) {
    // Titles are measured in the header's own font: the rows' font is made
    // smaller to fit three lines in a row, and a title measured in it would be
    // cut in the header.
    for (int column = 0; column < m_table->ColumnCount(); ++column) {
      const wxString title = ToWx(m_table->ColumnTitle(column));
      m_columns.push_back({title, m_header->GetTextExtent(title).x + m_header->GetTextExtent("M").x});
    }
    std::weak_ptr<Pending> weak = m_pending;
    m_table->SetObserver([weak](const std::vector<TableChange>&) {
      const auto pending = weak.lock();
      if (!pending) return;
      std::lock_guard guard(pending->lock);
      if (!pending->owner || pending->queued) return;
      pending->queued = true;
      pending->owner->CallAfter([pending] {
        CResultsListCtrl* owner;
        {
          std::lock_guard inner(pending->lock);
          pending->queued = false;
          owner = pending->owner;
        }
        if (owner) owner->OnTableChanged();
      });
    });
  }
  m_header->SetColumnCount(static_cast<unsigned int>(m_columns.size()));
  m_view = ResultsView();
  m_selectedHit = TableRows::kNoRow;
  m_topRow = 0;
  m_scrollX = 0;
  SyncWithTable();
  LayoutChildren();
}

void CResultsListCtrl::SyncWithTable() { OnTableChanged(); }

void CResultsListCtrl::OnTableChanged() {
  if (!m_table) {
    SetItemCount(0);
    if (m_viewChanged) m_viewChanged();
    return;
  }
  // Rows that arrived since the last look go to their place in the view.
  m_table->WithLock([this](TableRows& rows) { m_view.Sync(rows); });
  SetItemCount(m_view.ShownCount());
  if (m_viewChanged) m_viewChanged();
}

// After the order or the filter changed: the selected hit stays selected and
// in view when it is still shown.
void CResultsListCtrl::RefreshView() {
  OnTableChanged();
  for (unsigned int column = 0; column < m_columns.size(); ++column) m_header->UpdateColumn(column);
  const long selected = GetFirstSelected();
  if (selected >= 0) EnsureVisible(selected);
  RepaintAll();
}

void CResultsListCtrl::ClickColumn(int column) {
  if (column < 0 || column >= GetColumnCount()) return;
  m_view.ClickColumn(column);
  RefreshView();
}

void CResultsListCtrl::ResetOrder() {
  m_view.ClearSort();
  RefreshView();
}

void CResultsListCtrl::SetFilter(const std::string& text, bool newOnly) {
  m_view.SetFilterText(text);
  m_view.SetNewOnly(newOnly);
  RefreshView();
}

void CResultsListCtrl::SetEarlierAddresses(std::optional<std::unordered_set<std::string>> addresses) {
  m_view.SetEarlierAddresses(std::move(addresses));
  RefreshView();
}

bool CResultsListCtrl::IsNewRow(long listRow) const {
  if (!m_table || !m_view.MarksNewRows()) return false;
  return m_table->WithLock(
      [&](TableRows& rows) { return m_view.IsNewRow(rows, m_view.TableRowAt(rows, static_cast<int>(listRow))); });
}

void CResultsListCtrl::OnHeaderClick(wxHeaderCtrlEvent& event) { ClickColumn(event.GetColumn()); }

void CResultsListCtrl::SetItemCount(long count) {
  m_itemCount = std::max(0L, count);
  UpdateScrollbars();
  m_rows->Refresh(false);
}

int CResultsListCtrl::GetColumnWidth(int column) const {
  return column >= 0 && column < GetColumnCount() ? m_columns[column].width : 0;
}

wxString CResultsListCtrl::GetColumnTitle(int column) const {
  return column >= 0 && column < GetColumnCount() ? m_columns[column].title : wxString();
}

void CResultsListCtrl::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= GetColumnCount()) return;
  m_columns[column].width = std::max(0, width);
  m_header->UpdateColumn(column);
  LayoutChildren();
  // Every row's shortening depends on the column widths.
  RepaintAll();
}

void CResultsListCtrl::OnHeaderResizing(wxHeaderCtrlEvent& event) {
  SetColumnWidth(event.GetColumn(), event.GetWidth());
}

int CResultsListCtrl::TableRowOf(long listRow) const {
  if (!m_table || listRow < 0 || listRow >= m_itemCount) return -1;
  return m_table->WithLock([&](TableRows& rows) { return m_view.TableRowAt(rows, static_cast<int>(listRow)); });
}

long CResultsListCtrl::ListRowOf(int tableRow) const {
  if (!m_table || tableRow < 0) return -1;
  const long row = m_table->WithLock([&](TableRows& rows) { return m_view.ViewRowOfTableRow(rows, tableRow); });
  return row < m_itemCount ? row : -1;
}

long CResultsListCtrl::GetFirstSelected() const {
  if (!m_table || m_selectedHit == TableRows::kNoRow) return -1;
  const int tableRow = m_table->WithLock([this](TableRows& rows) { return rows.RowOfId(m_selectedHit); });
  return ListRowOf(tableRow);
}

void CResultsListCtrl::Select(long row) {
  const int tableRow = TableRowOf(row);
  const TableRows::RowId hit =
      tableRow >= 0 && m_table ? m_table->WithLock([tableRow](TableRows& rows) { return rows.IdAt(tableRow); })
                               : TableRows::kNoRow;
  if (hit == m_selectedHit) return;
  const long before = GetFirstSelected();
  m_selectedHit = hit;
  m_rows->Refresh(false);
  wxListEvent event(hit == TableRows::kNoRow ? wxEVT_LIST_ITEM_DESELECTED : wxEVT_LIST_ITEM_SELECTED, GetId());
  event.SetEventObject(this);
  event.m_itemIndex = hit == TableRows::kNoRow ? before : row;
  GetEventHandler()->ProcessEvent(event);
}

bool CResultsListCtrl::HandleKey(int keyCode) {
  const long selected = GetFirstSelected();
  const long last = m_itemCount - 1;
  const long page = GetCountPerPage();
  // With nothing selected the keys start from the top row in view.
  const long from = selected >= 0 ? selected : -1;
  long next = -1;
  switch (keyCode) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
      next = from >= 0 ? from - 1 : m_topRow;
      break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
      next = from >= 0 ? from + 1 : m_topRow;
      break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
      next = from >= 0 ? from - page : m_topRow;
      break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
      next = from >= 0 ? from + page : m_topRow + page - 1;
      break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
      next = 0;
      break;
    case WXK_END:
    case WXK_NUMPAD_END:
      next = last;
      break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      if (selected >= 0) ActivateRow(selected);
      return true;
    default:
      return false;
  }
  if (m_itemCount == 0) return true;
  next = std::clamp(next, 0L, last);
  Select(next);
  EnsureVisible(next);
  return true;
}

void CResultsListCtrl::ActivateRow(long row) {
  wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, GetId());
  activated.SetEventObject(this);
  activated.m_itemIndex = row;
  GetEventHandler()->ProcessEvent(activated);
}

int CResultsListCtrl::GetCountPerPage() const { return std::max(1, m_rows->GetClientSize().y / kRowHeight); }

void CResultsListCtrl::ScrollToRow(long row) {
  const long last = std::max(0L, m_itemCount - GetCountPerPage());
  const long top = std::clamp(row, 0L, last);
  if (top == m_topRow) return;
  m_topRow = top;
  UpdateScrollbars();
  m_rows->Refresh(false);
}

void CResultsListCtrl::EnsureVisible(long row) {
  if (row < 0 || row >= m_itemCount) return;
  if (row < m_topRow) ScrollToRow(row);
  else if (row >= m_topRow + GetCountPerPage()) ScrollToRow(row - GetCountPerPage() + 1);
}

void CResultsListCtrl::SetScrollPosition(int x) {
  int total = 0;
  for (const Column& column : m_columns) total += column.width;
  const int position = std::clamp(x, 0, std::max(0, total - m_rows->GetClientSize().x));
  if (position == m_scrollX) return;
  m_scrollX = position;
  LayoutChildren();
  RepaintAll();
}

long CResultsListCtrl::HitTest(const wxPoint& point) const {
  if (point.y < 0) return -1;
  const long row = m_topRow + point.y / kRowHeight;
  return row < m_itemCount ? row : -1;
}

void CResultsListCtrl::SetTitleColor(ColorRef color) {
  m_titleColor = color;
  RepaintAll();
}

void CResultsListCtrl::SetBackgroundColor(ColorRef color) {
  m_backgroundColor = color;
  // The area under the last row too.
  m_rows->SetBackgroundColour(ToColour(color));
  RepaintAll();
}

void CResultsListCtrl::SetViewedColor(ColorRef color) {
  m_viewedColor = color;
  RepaintAll();
}

void CResultsListCtrl::SetLongDescColor(ColorRef color) {
  m_longDescColor = color;
  RepaintAll();
}

void CResultsListCtrl::RepaintAll() { m_rows->Refresh(true); }

void CResultsListCtrl::OnSize(wxSizeEvent& event) {
  LayoutChildren();
  event.Skip();
}

void CResultsListCtrl::LayoutChildren() {
  const wxSize client = GetClientSize();
  int total = 0;
  for (const Column& column : m_columns) total += column.width;
  const int headerHeight = m_header->GetBestSize().y;
  // The header scrolls with the rows: it starts left of the window by the
  // scroll position.
  m_header->SetSize(-m_scrollX, 0, std::max(total, client.x) + m_scrollX + 1, headerHeight);
  m_rows->SetSize(0, headerHeight, client.x, std::max(0, client.y - headerHeight));
  UpdateScrollbars();
}

void CResultsListCtrl::UpdateScrollbars() {
  const long perPage = GetCountPerPage();
  m_topRow = std::clamp(m_topRow, 0L, std::max(0L, m_itemCount - perPage));
  // Scroll bars count in int; 100,000 rows is far inside that.
  m_rows->SetScrollbar(wxVERTICAL, static_cast<int>(m_topRow), static_cast<int>(perPage),
                       static_cast<int>(m_itemCount));
  int total = 0;
  for (const Column& column : m_columns) total += column.width;
  m_rows->SetScrollbar(wxHORIZONTAL, m_scrollX, m_rows->GetClientSize().x, total);
}

std::string CResultsListCtrl::CellText(long row, int column) const {
  const int tableRow = TableRowOf(row);
  if (!m_table || tableRow < 0 || column >= GetColumnCount()) return {};
  return m_table->Cell(tableRow, column);
}

void CResultsListCtrl::DrawVisibleRows(wxDC& dc) const {
  const wxSize area = m_rows->GetClientSize();
  dc.SetFont(m_rows->GetFont());
  int y = 0;
  for (long row = m_topRow; row < m_itemCount && y < area.y; ++row, y += kRowHeight)
    DrawItem(dc, row, wxRect(0, y, area.x, kRowHeight));
  if (y < area.y) {
    const wxColour background = ToColour(m_backgroundColor);
    dc.SetBrush(wxBrush(background));
    dc.SetPen(wxPen(background, 1));
    dc.DrawRectangle(0, y, area.x, area.y - y);
  }
}

void CResultsListCtrl::DrawItem(wxDC& dc, long row, const wxRect& rect) const {
  const int pictureWidth = kPictureWidth;
  const int scroll = m_scrollX;
  int x = pictureWidth - scroll + 1;

  const bool selected = row >= 0 && row == GetFirstSelected();
  const int tableRow = TableRowOf(row);
  const bool viewed = m_table && tableRow >= 0 && m_table->IsViewed(tableRow);
  const wxColour background =
      selected ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT) : ToColour(m_backgroundColor);
  wxColour text = selected ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT) : ToColour(m_titleColor);
  if (viewed) text = ToColour(m_viewedColor);

  const wxBrush oldBrush = dc.GetBrush();
  const wxPen oldPen = dc.GetPen();
  const wxColour oldText = dc.GetTextForeground();
  const wxColour oldBackground = dc.GetTextBackground();
  const wxFont normal = dc.GetFont();

  dc.SetBrush(wxBrush(background));
  dc.SetPen(wxPen(background, 1));
  dc.DrawRectangle(rect);
  dc.SetPen(wxPen(*wxBLACK, 1));
  dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
  if (m_rowBitmap.IsOk()) dc.DrawBitmap(m_rowBitmap, rect.GetLeft(), rect.GetTop(), false);

  dc.SetTextForeground(text);
  dc.SetTextBackground(background);
  wxFont bold = normal;
  bold.SetWeight(wxFONTWEIGHT_BOLD);
  dc.SetFont(bold);
  RowTextMeasure boldMeasure(dc);
  TextMeasure measure = std::ref(boldMeasure);
  std::string cell = CellText(row, 0);
  for (int column = 0; !cell.empty() && column < GetColumnCount();) {
    const int available = column == 0 ? m_columns[0].width - pictureWidth : m_columns[column].width;
    dc.DrawText(ToWx(FitText(cell, available, measure)), x + 1, rect.GetTop() + 1);
    x += m_columns[column].width;
    if (column == 0) x -= pictureWidth;
    ++column;
    cell = CellText(row, column);
  }
  if (IsNewRow(row)) DrawNewMark(dc, rect, x + 1);
  dc.SetFont(normal);
  RowTextMeasure normalMeasure(dc);
  measure = std::ref(normalMeasure);

  const int letterHeight = dc.GetTextExtent("M").y;
  const int descriptionX = pictureWidth - scroll + 2;
  int descriptionWidth = 0;
  for (int column = 0; column < std::min(3, GetColumnCount()); ++column) descriptionWidth += m_columns[column].width;
  dc.SetTextForeground(selected ? ToColour(kWhite) : ToColour(m_longDescColor));
  const DescriptionLines lines = FitDescriptionLines(CellText(row, 0), descriptionWidth, measure);
  dc.DrawText(ToWx(lines.second), descriptionX, rect.GetTop() + letterHeight + 5);
  if (lines.third) dc.DrawText(ToWx(*lines.third), descriptionX, rect.GetTop() + 2 * letterHeight + 5);

  dc.SetBrush(oldBrush);
  dc.SetPen(oldPen);
  dc.SetTextForeground(oldText);
  dc.SetTextBackground(oldBackground);
}

// The "New" mark: a small tag at the end of the title line, or at the row's
// right edge when the line runs past the window, over the last text.
void CResultsListCtrl::DrawNewMark(wxDC& dc, const wxRect& rect, int titleEnd) const {
  const wxString mark = "New";
  const wxSize text = dc.GetTextExtent(mark);
  const wxSize tag(text.x + 8, text.y + 2);
  const int x = std::min(titleEnd + 6, rect.GetRight() - tag.x - 4);
  const wxColour oldText = dc.GetTextForeground();
  const wxColour green(0, 128, 0);
  dc.SetBrush(wxBrush(green));
  dc.SetPen(wxPen(green, 1));
  dc.DrawRoundedRectangle(x, rect.GetTop() + 1, tag.x, tag.y, 3);
  dc.SetTextForeground(*wxWHITE);
  dc.DrawText(mark, x + 4, rect.GetTop() + 2);
  dc.SetTextForeground(oldText);
}

}  // namespace sorvane
