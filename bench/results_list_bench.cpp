// Drawing cost of the results list over a table of 100,000 rows: one screen,
// and paging through every row. Runs under a display (xvfb-run), on demand.
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/window_bench.h"
#include "core/results_table.h"
#include "results/results_list_ctrl.h"

namespace {

using sorvane::bench::BenchApp;
using sorvane::bench::Clock;
using sorvane::bench::MillisecondsSince;

std::shared_ptr<sorvane::ResultsTable> MakeTable(int rows) {
  auto table = std::make_shared<sorvane::ResultsTable>();
  table->WithLock([rows](sorvane::TableRows& cells) {
    for (int row = 0; row < rows; ++row) {
      // Descriptions as long as a parsed hit's can be, so every row needs its
      // second and third lines shortened.
      std::string description = "Result " + std::to_string(row) + ": ";
      while (description.size() < 340) description += "a description of a page found by an engine ";
      description.resize(350);
      cells.AppendRow({description, "http://www.example.com/path/to/page/" + std::to_string(row) + ".html",
                       std::to_string(100 - row % 100), std::to_string(1 + row % 3), "Engine " + std::to_string(row % 7)});
    }
  });
  return table;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
  if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) return 1;
  {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1024, 768));
    auto* list = new sorvane::CResultsListCtrl(frame, wxID_ANY, wxPoint(0, 0), wxSize(1000, 720));
    frame->Show();
    const auto built = Clock::now();
    list->SetTable(MakeTable(rows));
    std::printf("table of %d rows built and shown in %.0f ms\n", rows, MillisecondsSince(built));
    list->SetColumnWidth(0, 360);
    list->SetColumnWidth(1, 280);

    const wxSize area = list->RowsWindow().GetClientSize();
    wxBitmap target(area.x, area.y, 24);
    wxMemoryDC dc(target);
    const int perPage = list->GetCountPerPage();

    std::vector<double> screens;
    for (int i = 0; i < 21; ++i) {
      const auto start = Clock::now();
      list->DrawVisibleRows(dc);
      screens.push_back(MillisecondsSince(start));
    }
    std::sort(screens.begin(), screens.end());
    std::printf("one screen (%d rows, %dx%d): median %.2f ms, min %.2f ms\n", perPage, area.x, area.y,
                screens[screens.size() / 2], screens.front());

    const auto paging = Clock::now();
    int pages = 0;
    for (long top = 0; top < rows; top += perPage, ++pages) {
      list->ScrollToRow(top);
      list->DrawVisibleRows(dc);
    }
    const double total = MillisecondsSince(paging);
    std::printf("paged through %d rows: %d pages in %.0f ms, %.2f ms per page\n", rows, pages, total, total / pages);

    dc.SelectObject(wxNullBitmap);
    frame->Destroy();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
