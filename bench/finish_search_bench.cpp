// From the last engine's end to the results page shown: the end of a search
// (page written, search saved, Previous Searches rebuilt, Web View brought
// forward) in the real main frame, until the browser reports the page loaded.
// Runs under a display (xvfb-run -a build/bin/finish_search_bench [ROWS]).
#include <wx/app.h>
#include <wx/combobox.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/window_bench.h"
#include "core/settings_store.h"
#include "results/results_page.h"
#include "shell/main_frame.h"
#include "shell/web_view.h"

namespace {

using sorvane::bench::BenchApp;
using sorvane::bench::Clock;
using sorvane::bench::MillisecondsSince;

bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() > deadline) return false;
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
    wxMilliSleep(1);
  }
  return true;
}

void FillTable(sorvane::ResultsTable& table, int rows) {
  table.DeleteAll();
  table.WithLock([rows](sorvane::TableRows& cells) {
    for (int row = 0; row < rows; ++row) {
      std::string description = "Result " + std::to_string(row) + ": ";
      while (description.size() < 200) description += "a page about wooden boats ";
      cells.AppendRow({description, "http://www.example.com/boats/" + std::to_string(row) + ".html",
                       std::to_string(100 - row % 100), std::to_string(1 + row % 3), "Engine " + std::to_string(row % 50)});
    }
  });
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::max(0, std::atoi(argv[1])) : 500;
  if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) return 1;
  const std::filesystem::path home = std::filesystem::temp_directory_path() / ("sorvane-finish-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(home);
  std::ofstream(home / "index.htm") << "<html><body>start</body></html>";
  {
    sorvane::MemorySettingsStore settings;
    settings.WriteNumber("ShowWebView", 1);
    sorvane::FrameOptions options;
    options.programFolder = home;
    options.settings = &settings;
    options.browserView = true;
    auto* frame = new sorvane::CMainFrame(options);
    if (!frame->Create()) return 1;
    frame->Show();
    PumpUntil([] { return false; }, std::chrono::seconds(1));
    const wxString page = sorvane::BrowserAddress(wxString::FromUTF8(sorvane::ResultsPagePath(home).string()));

    std::vector<double> finish;
    std::vector<double> shown;
    for (int run = 0; run < 11; ++run) {
      FillTable(*frame->ResultsTableModel(), rows);
      frame->SetLastQuery("wooden boats " + std::to_string(run));
      frame->View()->SelectTab(sorvane::CSorvaneView::kListViewTab);
      frame->AddressBox()->ChangeValue("");
      const auto start = Clock::now();
      frame->FinishSearch();
      finish.push_back(MillisecondsSince(start));
      if (!PumpUntil([&] { return frame->AddressBox()->GetValue() == page; }, std::chrono::seconds(20))) {
        std::printf("the page was not reported loaded (address box: %s)\n", frame->AddressBox()->GetValue().utf8_str().data());
        return 1;
      }
      shown.push_back(MillisecondsSince(start));
    }
    std::sort(finish.begin(), finish.end());
    std::sort(shown.begin(), shown.end());
    std::printf("%d rows: end of search (page, save, list) median %.1f ms; page shown in the Web View median %.1f ms "
                "(min %.1f, max %.1f) over %zu runs\n",
                rows, finish[finish.size() / 2], shown[shown.size() / 2], shown.front(), shown.back(), shown.size());
    frame->Destroy();
    PumpUntil([] { return false; }, std::chrono::seconds(1));
  }
  std::filesystem::remove_all(home);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
