// A search over 50 loopback engines that each answer every page after 200 ms and
// need two pages: the run's wall time against the ideal (the slowest engine's
// chain, 400 ms) and against running the engines one after another, and the
// peak memory of the process.
//
//   search_run_bench [--engines N] [--delay-ms D] [--skip-sequential]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "core/search_run.h"
#include "bench/delayed_page_server.h"

namespace sorvane {
namespace {

using Clock = std::chrono::steady_clock;

// Five hits a page, so every engine reaches the hit limit on its second page.
constexpr int kHitsPerPage = 5;

std::string PageFor(const std::string& requestLine) {
  // "GET /e<engine>?q=...&start=<n> HTTP/1.0"
  const std::size_t engineAt = requestLine.find("/e") + 2;
  const std::string engine = requestLine.substr(engineAt, requestLine.find('?') - engineAt);
  const std::size_t startAt = requestLine.find("start=") + 6;
  const int start = std::atoi(requestLine.c_str() + startAt);
  std::string body;
  for (int i = start; i < start + kHitsPerPage; ++i) {
    body += "<a href=\"http://site.example/" + engine + "/" + std::to_string(i) + "\">wooden boats " +
            std::to_string(i) + "</a>\n";
  }
  return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class DoneListener final : public EngineListener {
 public:
  void OnEngineProgress(int, int) override {}
  void OnEngineDone(int) override {
    std::lock_guard lock(mutex_);
    doneAt_.push_back(Clock::now());
  }
  void OnSearchDone() override {
    std::lock_guard lock(mutex_);
    over_ = true;
    wake_.notify_all();
  }
  void ShowMessage(int, std::string_view message) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(message.size()), message.data());
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [&] { return over_; });
  }
  // Seconds from `start` to the first and the last engine's end.
  std::pair<double, double> DoneSpread(Clock::time_point start) {
    std::lock_guard lock(mutex_);
    if (doneAt_.empty()) return {0, 0};
    const auto [first, last] = std::minmax_element(doneAt_.begin(), doneAt_.end());
    return {std::chrono::duration<double>(*first - start).count(), std::chrono::duration<double>(*last - start).count()};
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool over_ = false;
  std::vector<Clock::time_point> doneAt_;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// One run over the given engines; returns its wall time and the rows it made.
struct RunFigures {
  double seconds = 0;
  double startSeconds = 0;  // until every worker had been started
  double firstDone = 0;
  double lastDone = 0;
  int rows = 0;
};

RunFigures RunSearch(const EngineList& engines, const std::vector<std::string>& names,
                     const std::shared_ptr<const InternetSession>& session) {
  auto table = std::make_shared<ResultsTable>();
  auto listener = std::make_shared<DoneListener>();
  const auto started = Clock::now();
  RunFigures figures;
  SearchRun run(names, engines, "wooden boats", 2, session, table, listener);
  figures.startSeconds = std::chrono::duration<double>(Clock::now() - started).count();
  listener->Wait();
  figures.seconds = std::chrono::duration<double>(Clock::now() - started).count();
  std::tie(figures.firstDone, figures.lastDone) = listener->DoneSpread(started);
  run.WaitForThreads(std::chrono::seconds(5));
  figures.rows = table->RowCount();
  return figures;
}

}  // namespace
}  // namespace sorvane

int main(int argc, char** argv) {
  using namespace sorvane;
  int engineCount = kMaxEngineJobs;
  int delayMs = 200;
  bool sequential = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--engines") == 0 && i + 1 < argc) engineCount = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--delay-ms") == 0 && i + 1 < argc) delayMs = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--skip-sequential") == 0) sequential = false;
  }

  // The engines' server runs in a process of its own, one poll loop for every
  // connection, so it neither competes with the client's threads nor counts in
  // its memory. It ends when the pipe's writing end closes.
  int toServer[2];
  if (::pipe(toServer) != 0) return 1;
  int port = 0;
  const int listenFd = bench::ListenOnLoopback(port);
  if (listenFd < 0) return 1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(toServer[1]);
    bench::ServeDelayedPages(listenFd, toServer[0], std::chrono::milliseconds(delayMs), PageFor);
    ::_exit(0);  // the parent has closed its end: the server goes
  }
  ::close(listenFd);
  ::close(toServer[0]);
  const std::string origin = "http://127.0.0.1:" + std::to_string(port);

  EngineList engines;
  std::vector<std::string> names;
  for (int i = 0; i < engineCount; ++i) {
    SearchEngine engine;
    engine.name = "Engine" + std::to_string(i);
    engine.url = origin;
    engine.prefix = "/e" + std::to_string(i) + "?q=";
    engine.suffix = "&start=%d";
    engine.searchType = StartIndex;
    engine.startToken = "<a href=\"http";
    engine.endToken = "</a>";
    engines.Append(engine);
    names.push_back(engine.name);
  }
  const auto session = CreateInternetSession({ConnectionSettings::kDirect, "", ""});
  const long peakBefore = PeakResidentKiB();

  const double cpuBefore = CpuSeconds();
  const RunFigures run = RunSearch(engines, names, session);
  const double together = run.seconds;
  const double cpu = CpuSeconds() - cpuBefore;
  const long peakAfter = PeakResidentKiB();
  const double ideal = 2 * delayMs / 1000.0;
  std::printf("engines                 %d (two pages each, %d ms a page)\n", engineCount, delayMs);
  std::printf("rows                    %d\n", run.rows);
  std::printf("workers started after   %.3f s; engines ended from %.3f to %.3f s\n", run.startSeconds,
              run.firstDone, run.lastDone);
  std::printf("run wall time           %.3f s\n", together);
  std::printf("ideal (slowest chain)   %.3f s   ratio %.3f (target <= 1.15)\n", ideal, together / ideal);
  std::printf("processor time          %.3f s (the run, server not counted)\n", cpu);
  std::printf("peak memory (VmHWM)     %ld KiB before the run, %ld KiB after\n", peakBefore, peakAfter);
  if (sequential) {
    double oneByOne = 0;
    for (const std::string& name : names) {
      oneByOne += RunSearch(engines, {name}, session).seconds;
    }
    std::printf("one engine at a time    %.3f s   %.1f x the run\n", oneByOne, oneByOne / together);
  }
  ::close(toServer[1]);
  ::waitpid(child, nullptr, 0);
  return 0;
}
