#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>

#include "cli/commands.h"
#include "cli/console_run.h"
#include "pcsearch/drives.h"
#include "pcsearch/folder_scan.h"
#include "results/search_completion.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] scan [--recurse] [--folder DIR]... [--no-save]\n"
    "                   [--format csv|json|tsv] [--readers N] PHRASE\n"
    "\n"
    "Looks for PHRASE, without regard to letter case, in every file of the folders\n"
    "given, in the order given (with --recurse, in their subfolders too); without\n"
    "--folder, in every fixed, network and RAM drive, each scanned on its own.\n"
    "Prints one row per matching file: Description (the text around the phrase),\n"
    "URL (the file's path), Rank, Hits, Engine, tab-separated, best rank first\n"
    "(--format csv: with a header row and the viewed flag; --format json or\n"
    "--json: an array of objects).\n"
    "On a terminal, standard error shows the files and bytes read so far and the\n"
    "file being read; Ctrl-C stops the scan and still prints what was found.\n"
    "--readers N: threads that read files beside the one that walks the folders\n"
    "(0 reads on the walking thread; the rows are the same either way).\n"
    "Unless --no-save is given, the results page \"Search Results.htm\" is then\n"
    "written and the search saved under PHRASE in the My PC category, as the window\n"
    "does at the end of a search.\n";

// Keeps the path being read for the live line, and prints nothing else.
class CliScanListener : public ScanListener {
 public:
  void OnProgress(std::string_view text) override {
    std::lock_guard lock(mutex_);
    text_.assign(text);
  }
  void OnScanDone() override {}

  std::string Text() {
    std::lock_guard lock(mutex_);
    return text_;
  }

 private:
  std::mutex mutex_;
  std::string text_;
};

std::string LiveLine(const ScanControl& control, const std::string& text) {
  char counts[96];
  std::snprintf(counts, sizeof counts, "%llu files, %.1f MB  ",
                static_cast<unsigned long long>(control.FilesRead()),
                static_cast<double>(control.BytesRead()) / 1e6);
  std::string line = counts + text;
  // One terminal line: keep the end of a long path, where the file name is.
  constexpr std::size_t kWidth = 100;
  if (line.size() > kWidth) line = std::string(counts) + "..." + line.substr(line.size() - (kWidth - 3 - std::strlen(counts)));
  std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 32; });
  return line;
}

}  // namespace

int RunScanCommand(CliContext& context, ArgumentCursor& arguments) {
  ScanRequest request;
  OutputFormat format = OutputFormat::Tsv;
  bool save = true;
  bool haveFolders = false;
  request.readers = std::thread::hardware_concurrency() >= 2 ? 2 : 0;
  while (arguments.AtOption()) {
    std::string value;
    if (arguments.TakeFlag("--help")) {
      context.out() << kUsage;
      return kExitOk;
    } else if (TakeFormatOption(arguments, format)) {
    } else if (arguments.TakeFlag("--recurse")) {
      request.recurse = true;
    } else if (arguments.TakeFlag("--no-save")) {
      save = false;
    } else if (arguments.TakeOption("--folder", value)) {
      if (value.empty()) throw UsageError("scan: --folder needs a folder");
      // Rows name files by their full path, also when the folder was given
      // relative to the current one.
      std::error_code error;
      const std::filesystem::path full = std::filesystem::absolute(value, error);
      request.folders.push_back(error ? value : full.lexically_normal().string());
      haveFolders = true;
    } else if (arguments.TakeOption("--readers", value)) {
      request.readers = std::clamp(ParseWholeNumber(value, "--readers"), 0, 16);
    } else {
      RejectOption("scan", arguments.Peek());
    }
  }
  request.phrase = arguments.TakeWords();
  if (request.phrase.empty()) throw UsageError("scan needs the PHRASE to look for");
  if (!haveFolders) {
    request.folders = AllDriveFolders();
    request.stayOnFileSystem = true;
  }

  ResultsTable table;
  CliScanListener listener;
  ScanControl control;
  std::optional<InterruptGuard> interrupt(std::in_place);

  // The watcher turns Ctrl-C into a stop and draws the live line; it never
  // touches the table.
  const bool live = StderrIsTerminal();
  std::mutex watchMutex;
  std::condition_variable watchWake;
  bool scanning = true;
  std::thread watcher([&] {
    std::unique_lock lock(watchMutex);
    while (scanning) {
      watchWake.wait_for(lock, std::chrono::milliseconds(100));
      if (interrupt->Interrupted()) control.RequestStop();
      if (live && scanning) context.err() << "\r\x1b[K" << LiveLine(control, listener.Text()) << std::flush;
    }
  });
  ScanFolders(request, table, listener, control);
  {
    std::lock_guard lock(watchMutex);
    scanning = false;
  }
  watchWake.notify_all();
  watcher.join();
  const bool stopped = interrupt->Interrupted();
  interrupt.reset();
  if (live) context.err() << "\r\x1b[K" << LiveLine(control, "") << (stopped ? "(stopped)" : "") << "\n";

  // Completed or stopped, the scan ends the way every search does: what was
  // found is written as the page and kept, so Ctrl-C loses nothing.
  bool completed = true;
  if (save) {
    int bannerIndex = 0;
    const CompletionResult completion =
        CompleteSearch(context.ProgramFolder().string(), table, request.phrase, kMyPcRow, bannerIndex);
    if (!completion.pageWritten) context.ReportError("scan: could not write the results page");
    if (!completion.searchSaved) context.ReportError("scan: could not save the search");
    completed = completion.pageWritten && completion.searchSaved;
  }

  PrintRows(context.out(), TakeRowCells(table), format);
  return completed ? kExitOk : kExitFailure;
}

}  // namespace sorvane::cli
