#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/address_split.h"
#include "core/engine_list.h"
#include "core/engine_outcome.h"
#include "core/internet_session.h"
#include "core/query_address.h"

namespace sorvane {

// At most this many engines run in one search; a category with more runs the
// first ones.
inline constexpr int kMaxEngineJobs = 50;

// Everything one worker needs, filled before the worker starts and only read
// afterwards.
struct EngineJob {
  EnginePtr engine;
  std::string encodedQuery;
  int hitLimit = kHitLimit;
  std::shared_ptr<const InternetSession> internetSession;  // null: no session could be made
  bool skipKnownLinks = true;
  int slotIndex = 0;
  std::string words;  // as typed (after the Email rewrite), for ranking
  // A page to parse as the first page instead of fetching one (a saved page
  // checked without a network); null in a search.
  std::shared_ptr<const std::string> givenFirstPage;
};

// What one parse of a page did to the table.
struct PageTake {
  int taken = 0;  // hits merged
  int known = 0;  // links skipped as already in the table
};

// What a worker reaches beyond its job. The search run's gate implements it; a
// worker it has given up on finds every call here dropped.
// Thread rule: called by the job's worker thread.
class EngineWorkerContext {
 public:
  virtual ~EngineWorkerContext() = default;
  virtual void ReportProgress(int slot, int percent) = 0;
  virtual void ShowMessage(int slot, std::string_view message) = 0;
  virtual bool StopRequested() = 0;
  // Cuts the page's hits into the results table.
  virtual PageTake ParsePage(const EngineJob& job, std::string& page) = 0;
  // What the slot has seen so far, for its outcome should it be given up.
  virtual void RecordFacts(int slot, const OutcomeFacts& facts) = 0;
  // The slot's outcome decided from `facts`, then progress 100 and the
  // engine's done: the worker's last act.
  virtual void FinishEngine(int slot, const OutcomeFacts& facts) = 0;
};

// One engine's whole run: first address, connection, pages, hits, and its end.
void RunEngineSearch(const EngineJob& job, EngineWorkerContext& context);

// The first-page split a worker can fetch: http or https with a server.
bool IsFetchableAddress(const AddressParts& parts);

}  // namespace sorvane
