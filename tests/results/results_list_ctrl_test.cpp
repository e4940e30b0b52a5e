#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/settings.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "core/results_table.h"
#include "res/image_resources.h"
#include "res/resource_ids.h"
#include "results/results_list_ctrl.h"
#include "support/gui_test_support.h"

namespace sorvane {
namespace {

using testing::PumpUntil;

constexpr int kRows = 100000;

std::shared_ptr<ResultsTable> MakeTable(int rows) {
  auto table = std::make_shared<ResultsTable>();
  table->WithLock([rows](TableRows& cells) {
    for (int row = 0; row < rows; ++row) {
      cells.AppendRow({"Description of result number " + std::to_string(row) +
                           " which goes on long enough to need a second and a third line in the list "
                           "because it is far wider than the first three columns put together",
                       "http://example.com/" + std::to_string(row), std::to_string(100 - row % 100), "1",
                       "Engine"});
    }
  });
  return table;
}

bool Near(const wxColour& colour, int red, int green, int blue) {
  return colour.Red() == red && colour.Green() == green && colour.Blue() == blue;
}

class ResultsListCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = new wxFrame(nullptr, wxID_ANY, "results", wxDefaultPosition, wxSize(900, 700));
    list_ = new CResultsListCtrl(frame_, wxID_ANY, wxPoint(0, 0), wxSize(880, 660));
    frame_->Show();
  }
  void TearDown() override { frame_->Destroy(); }

  // Draws row `row` alone into a bitmap as wide as the rows' area.
  wxImage DrawRow(long row) const {
    const int width = list_->RowsWindow().GetClientSize().x;
    wxBitmap target(width, CResultsListCtrl::kRowHeight, 24);
    {
      wxMemoryDC dc(target);
      dc.SetFont(list_->RowsWindow().GetFont());
      list_->DrawItem(dc, row, wxRect(0, 0, width, CResultsListCtrl::kRowHeight));
    }
    return target.ConvertToImage();
  }

  // Pixels of one colour inside a band of rows of the image. Text is drawn
  // smoothed, so thin strokes come near their colour rather than on it.
  static int CountColour(const wxImage& image, int top, int bottom, const wxColour& colour) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = CResultsListCtrl::kPictureWidth; x < image.GetWidth(); ++x)
        if (std::abs(image.GetRed(x, y) - colour.Red()) < 60 && std::abs(image.GetGreen(x, y) - colour.Green()) < 60 &&
            std::abs(image.GetBlue(x, y) - colour.Blue()) < 60)
          ++count;
    return count;
  }

  int LetterHeight() const { return list_->RowsWindow().GetTextExtent("M").y; }

  wxFrame* frame_ = nullptr;
  CResultsListCtrl* list_ = nullptr;
};

TEST_F(ResultsListCtrlTest, ShowsAHundredThousandRowsAsAVirtualList) {
  list_->SetTable(MakeTable(kRows));
  EXPECT_EQ(list_->GetItemCount(), kRows);
  ASSERT_EQ(list_->GetColumnCount(), 5);
  EXPECT_EQ(list_->GetColumnTitle(1), "URL");
  EXPECT_GT(list_->GetCountPerPage(), 5);

  list_->ScrollToRow(kRows);  // past the end: the last page
  EXPECT_EQ(list_->GetTopItem(), kRows - list_->GetCountPerPage());
  list_->EnsureVisible(10);
  EXPECT_EQ(list_->GetTopItem(), 10);
  list_->Select(12);
  EXPECT_EQ(list_->GetFirstSelected(), 12);
  EXPECT_EQ(list_->HitTest(wxPoint(100, 2 * CResultsListCtrl::kRowHeight + 3)), 12);
}

TEST_F(ResultsListCtrlTest, PlainRowHasWindowBackgroundBlueDescriptionBlackTitleAndBlackRule) {
  list_->SetTable(MakeTable(3));
  const wxImage row = DrawRow(0);
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  const int last = CResultsListCtrl::kRowHeight - 1;
  const int right = row.GetWidth() - 1;
  EXPECT_TRUE(Near(wxColour(row.GetRed(right, 1), row.GetGreen(right, 1), row.GetBlue(right, 1)), window.Red(),
                   window.Green(), window.Blue()));
  for (const int x : {right - 40, right}) EXPECT_EQ(row.GetRed(x, last) + row.GetGreen(x, last) + row.GetBlue(x, last), 0);

  const int firstLineBottom = LetterHeight() + 2;
  EXPECT_GT(CountColour(row, 1, firstLineBottom, *wxBLACK), 10);
  EXPECT_EQ(CountColour(row, 1, firstLineBottom, wxColour(0, 0, 255)), 0);
  // Lines two and three in the description colour.
  EXPECT_GT(CountColour(row, LetterHeight() + 5, 2 * LetterHeight() + 5, wxColour(0, 0, 255)), 10);
  EXPECT_GT(CountColour(row, 2 * LetterHeight() + 5, last, wxColour(0, 0, 255)), 10);

  // All three lines stay inside the row, clear of the rule.
  EXPECT_LE(3 * LetterHeight() + 5, last);

  // The row picture at the left, unchanged.
  const wxImage picture = res::LoadBitmapResource(ids::IDB_ROW_PICTURE).ConvertToImage();
  ASSERT_TRUE(picture.IsOk());
  for (const auto& [x, y] : {std::pair{3, 3}, std::pair{16, 24}, std::pair{30, 40}})
    EXPECT_EQ(row.GetRed(x, y) * 65536 + row.GetGreen(x, y) * 256 + row.GetBlue(x, y),
              picture.GetRed(x, y) * 65536 + picture.GetGreen(x, y) * 256 + picture.GetBlue(x, y));
}

TEST_F(ResultsListCtrlTest, ViewedRowsTurnTheFirstLineRedAndKeepTheDescriptionBlue) {
  auto table = MakeTable(3);
  table->SetViewed(1, true);
  list_->SetTable(table);
  const wxImage row = DrawRow(1);
  const int firstLineBottom = LetterHeight() + 2;
  EXPECT_GT(CountColour(row, 1, firstLineBottom, wxColour(255, 0, 0)), 10);
  EXPECT_EQ(CountColour(row, 1, firstLineBottom, *wxBLACK), 0);
  EXPECT_GT(CountColour(row, LetterHeight() + 5, 2 * LetterHeight() + 5, wxColour(0, 0, 255)), 10);
}

TEST_F(ResultsListCtrlTest, SelectedRowIsHighlightedWithWhiteDescriptionAndViewedColourWins) {
  auto table = MakeTable(3);
  table->SetViewed(2, true);
  list_->SetTable(table);
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
  const int right = DrawRow(0).GetWidth() - 1;

  list_->Select(0);
  wxImage row = DrawRow(0);
  EXPECT_TRUE(Near(wxColour(row.GetRed(right, 1), row.GetGreen(right, 1), row.GetBlue(right, 1)), highlight.Red(),
                   highlight.Green(), highlight.Blue()));
  EXPECT_GT(CountColour(row, LetterHeight() + 5, 2 * LetterHeight() + 5, *wxWHITE), 10);
  EXPECT_EQ(CountColour(row, LetterHeight() + 5, 2 * LetterHeight() + 5, wxColour(0, 0, 255)), 0);

  list_->Select(2);
  row = DrawRow(2);
  EXPECT_GT(CountColour(row, 1, LetterHeight() + 2, wxColour(255, 0, 0)), 10);
}

TEST_F(ResultsListCtrlTest, ColourSettersChangeWhatIsDrawn) {
  list_->SetTable(MakeTable(1));
  list_->SetBackgroundColor(0x00FF00);  // green
  list_->SetLongDescColor(0x0000FF);    // red
  list_->SetTitleColor(0xFF00FF);
  list_->SetViewedColor(0x00FFFF);
  EXPECT_EQ(list_->GetBackgroundColor(), 0x00FF00u);
  EXPECT_EQ(list_->GetViewedColor(), 0x00FFFFu);
  const wxImage row = DrawRow(0);
  const int right = row.GetWidth() - 1;
  EXPECT_TRUE(Near(wxColour(row.GetRed(right, 1), row.GetGreen(right, 1), row.GetBlue(right, 1)), 0, 255, 0));
  EXPECT_GT(CountColour(row, 1, LetterHeight() + 2, wxColour(255, 0, 255)), 10);
  EXPECT_GT(CountColour(row, LetterHeight() + 5, 2 * LetterHeight() + 5, wxColour(255, 0, 0)), 10);
}

TEST_F(ResultsListCtrlTest, DrawingAScreenFillsBelowTheLastRowWithTheBackground) {
  list_->SetTable(MakeTable(2));
  list_->SetBackgroundColor(0x0000FF);
  const wxSize area = list_->RowsWindow().GetClientSize();
  ASSERT_GT(area.y, 3 * CResultsListCtrl::kRowHeight);
  wxBitmap target(area.x, area.y, 24);
  {
    wxMemoryDC dc(target);
    list_->DrawVisibleRows(dc);
  }
  const wxImage screen = target.ConvertToImage();
  const int y = 2 * CResultsListCtrl::kRowHeight + 10;
  EXPECT_TRUE(Near(wxColour(screen.GetRed(5, y), screen.GetGreen(5, y), screen.GetBlue(5, y)), 255, 0, 0));
  // The rule under the second row.
  EXPECT_EQ(screen.GetRed(100, 2 * CResultsListCtrl::kRowHeight - 1), 0);
}

TEST_F(ResultsListCtrlTest, WorkerChangesReachTheListOnTheUiThread) {
  auto table = MakeTable(0);
  list_->SetTable(table);
  std::thread worker([table] {
    for (int row = 0; row < 500; ++row)
      table->WithLock([row](TableRows& cells) { cells.AppendRow({"row " + std::to_string(row), "u", "1", "1", "e"}); });
  });
  worker.join();
  EXPECT_TRUE(PumpUntil([&] { return list_->GetItemCount() == 500; }));
  table->DeleteAll();
  EXPECT_TRUE(PumpUntil([&] { return list_->GetItemCount() == 0; }));
}

TEST_F(ResultsListCtrlTest, ResizingAColumnChangesTheShortening) {
  auto table = std::make_shared<ResultsTable>();
  table->WithLock([](TableRows& cells) { cells.AppendRow({"Wide description text", "http://a.example/long/address", "5", "1", "E"}); });
  list_->SetTable(table);
  list_->SetColumnWidth(0, 600);
  list_->SetColumnWidth(1, 400);
  const wxImage wide = DrawRow(0);
  list_->SetColumnWidth(1, 60);
  EXPECT_EQ(list_->GetColumnWidth(1), 60);
  const wxImage narrow = DrawRow(0);
  const int firstLineBottom = LetterHeight() + 2;
  // The URL's first line lost characters to "...".
  EXPECT_LT(CountColour(narrow, 1, firstLineBottom, *wxBLACK), CountColour(wide, 1, firstLineBottom, *wxBLACK));
}

}  // namespace
}  // namespace sorvane
