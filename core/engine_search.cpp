#include "core/engine_search.h"

#include "core/engine_listener.h"
#include "core/page_charset.h"
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

// The page as the parser reads it: once, at the page's edge, so the parser,
// the table and everything after them see one encoding. The outcome's byte
// count stays what the site sent.
void PrepareForParsing(std::string& page, std::string_view contentType) { page = ConvertPageToUtf8(page, contentType); }

// One page more in the slot's facts: what its fetch saw, and what the page says
// when the site answered with an error. The page is made ready for parsing.
void NotePage(OutcomeFacts& facts, const SearchEngine& engine, const FetchResult& fetched, std::string& page) {
  ++facts.pages;
  facts.status = fetched.status;
  facts.bytes += fetched.bytes;
  facts.lastPageBytes = fetched.bytes;
  facts.address = fetched.address;
  facts.trouble = fetched.trouble;
  facts.troubleText = fetched.libraryText;
  PrepareForParsing(page, fetched.contentType);
  if (facts.pages == 1) facts.startTokenOnFirstPage = page.find(engine.startToken) != std::string::npos;
  facts.siteText = fetched.status >= 400 ? PageTextExcerpt(page) : std::string();
}

void NoteTake(OutcomeFacts& facts, const PageTake& take) {
  facts.hits += take.taken;
  facts.known += take.known;
}

void FetchPages(const EngineJob& job, EngineWorkerContext& context, HttpConnection& connection,
                const AddressParts& first, const MessageSink& showMessage, OutcomeFacts& facts) {
  const SearchEngine& engine = *job.engine;
  const int slot = job.slotIndex;
  SlotFetchControl control(context, slot);
  std::string page;

  if (engine.searchType == ResultCount) {
    // One page holds all it asked for; a stop while reading still keeps what came.
    const FetchResult fetched = FetchPage(connection, first.object, page, control);
    NotePage(facts, engine, fetched, page);
    facts.stopped = fetched.stopped || context.StopRequested();
    context.RecordFacts(slot, facts);
    NoteTake(facts, context.ParsePage(job, page));
    return;
  }

  const AddressTemplate firstTemplate = FirstPageTemplate(engine, job.encodedQuery);
  std::string object = first.object;
  std::string server = first.server;
  int total = 0;
  for (;;) {
    context.ReportProgress(slot, kProgressStartingPage);
    const FetchResult fetched = FetchPage(connection, object, page, control);
    NotePage(facts, engine, fetched, page);
    if (context.StopRequested()) {  // a partial page is not parsed
      facts.stopped = true;
      return;
    }
    context.RecordFacts(slot, facts);
    context.ReportProgress(slot, kProgressTranslating);
    const PageTake take = context.ParsePage(job, page);
    NoteTake(facts, take);
    context.RecordFacts(slot, facts);
    total += take.taken;
    if (total >= job.hitLimit || take.taken == 0) return;
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

// A saved page stands for the first page: no network, no further pages.
void TakeGivenPage(const EngineJob& job, EngineWorkerContext& context, OutcomeFacts& facts) {
  std::string page = *job.givenFirstPage;
  FetchResult given;
  given.bytes = static_cast<long long>(page.size());
  given.address = facts.address;
  std::erase(page, '\0');
  NotePage(facts, *job.engine, given, page);
  context.ReportProgress(job.slotIndex, kProgressTranslating);
  NoteTake(facts, context.ParsePage(job, page));
}

}  // namespace

bool IsFetchableAddress(const AddressParts& parts) {
  return parts.ok && !parts.server.empty() &&
         (parts.service == ServiceKind::Http || parts.service == ServiceKind::Https);
}

void RunEngineSearch(const EngineJob& job, EngineWorkerContext& context) {
  const int slot = job.slotIndex;
  const MessageSink showMessage = [&](std::string_view message) { context.ShowMessage(slot, message); };
  OutcomeFacts facts;
  facts.address = BuildRequestAddress(*job.engine, job.encodedQuery);
  const AddressParts first = SplitForFetch(facts.address, showMessage);
  if (!IsFetchableAddress(first)) {
    facts.invalidAddress = true;
    context.RecordFacts(slot, facts);
    showMessage(kInvalidUrlMessage);
  } else if (job.givenFirstPage) {
    TakeGivenPage(job, context, facts);
  } else {
    std::unique_ptr<HttpConnection> connection = OpenConnection(job.internetSession, first);
    context.ReportProgress(slot, kProgressConnected);
    if (connection) {
      FetchPages(job, context, *connection, first, showMessage, facts);
    } else {
      facts.trouble = FetchTrouble::NoConnection;
      facts.troubleText = job.internetSession ? "the HTTP library could not open a connection"
                                              : "no internet session could be made with the connection settings";
    }
  }
  context.FinishEngine(slot, facts);
}

}  // namespace sorvane
