#include "core/engine_search.h"

#include "core/engine_listener.h"
#include "core/page_fetcher.h"

namespace sorvane {

namespace {

// The fetch's progress and stop test, on behalf of one slot.
class SlotFetchControl final : public FetchControl {
 public:
  SlotFetchControl(EngineWorkerContext& context, int slot) : context_(context), slot_(slot) {}
  void ReportProgress(int percent) override { context_.ReportProgress(slot_, percent); }
  bool StopRequested() override { return context_.StopRequested(); }

 private:
  EngineWorkerContext& context_;
  int slot_;
};

void FetchPages(const EngineJob& job, EngineWorkerContext& context, HttpConnection& connection,
                const AddressParts& first, const MessageSink& showMessage) {
  const SearchEngine& engine = *job.engine;
  const int slot = job.slotIndex;
  SlotFetchControl control(context, slot);
  std::string page;

  if (engine.searchType == ResultCount) {
    // One page holds all it asked for; a stop while reading still keeps what came.
    FetchPage(connection, first.object, page, control);
    context.ParsePage(job, page);
    return;
  }

  const AddressTemplate firstTemplate = FirstPageTemplate(engine, job.encodedQuery);
  std::string object = first.object;
  std::string server = first.server;
  int total = 0;
  for (;;) {
    context.ReportProgress(slot, kProgressStartingPage);
    FetchPage(connection, object, page, control);
    if (context.StopRequested()) return;  // a partial page is not parsed
    context.ReportProgress(slot, kProgressTranslating);
    const int taken = context.ParsePage(job, page);
    total += taken;
    if (total >= job.hitLimit || taken == 0) return;
    const AddressParts next =
        SplitForFetch(BuildNextPageAddress(engine, job.encodedQuery, firstTemplate, server, total), showMessage);
    // An unreadable next address asks for the previous object again; its hits
    // are all known by now, so paging ends there.
    if (next.ok) {
      object = next.object;
      server = next.server;
    }
  }
}

}  // namespace

bool IsFetchableAddress(const AddressParts& parts) {
  return parts.ok && !parts.server.empty() &&
         (parts.service == ServiceKind::Http || parts.service == ServiceKind::Https);
}

void RunEngineSearch(const EngineJob& job, EngineWorkerContext& context) {
  const int slot = job.slotIndex;
  const MessageSink showMessage = [&](std::string_view message) { context.ShowMessage(slot, message); };
  const AddressParts first = SplitForFetch(BuildRequestAddress(*job.engine, job.encodedQuery), showMessage);
  if (!IsFetchableAddress(first)) {
    showMessage(kInvalidUrlMessage);
  } else {
    std::unique_ptr<HttpConnection> connection = OpenConnection(job.internetSession, first);
    context.ReportProgress(slot, kProgressConnected);
    if (connection) FetchPages(job, context, *connection, first, showMessage);
  }
  context.FinishEngine(slot);
}

}  // namespace sorvane
