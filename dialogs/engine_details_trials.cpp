// Engine Details' Test and Find Markers: the record as the dialog holds it run
// as a search runs it, on a thread of its own.

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "core/engine_check.h"
#include "core/learn_engine.h"
#include "core/page_charset.h"
#include "dialogs/engine_details_dlg.h"
#include "dialogs/wx_text.h"

namespace sorvane {

namespace {

// A fetch that reports into a trial's progress and stops with it.
class TrialFetchControl final : public FetchControl {
 public:
  TrialFetchControl(std::stop_token stop, const WorkerTask::Report& report) : m_stop(stop), m_report(report) {}
  void ReportProgress(int percent) override { m_report(percent / 2); }
  bool StopRequested() override { return m_stop.stop_requested(); }

 private:
  std::stop_token m_stop;
  const WorkerTask::Report& m_report;
};

// What a trial brings back to the dialog.
struct TrialResult {
  std::optional<SearchEngine> repaired;  // Find Markers' new fields
  std::string outcome;                   // the line under the words
  std::vector<SearchHit> hits;
};

std::string CheckInto(const SearchEngine& record, const std::string& words,
                      const std::shared_ptr<const InternetSession>& session, std::stop_token stop,
                      const std::function<void(int)>& progress, std::vector<SearchHit>& hits) {
  EngineCheckOptions options;
  options.words = words;
  options.session = session;
  options.stop = stop;
  options.progress = [&progress](int, int percent) { progress(percent); };
  auto table = std::make_shared<ResultsTable>();
  const EngineOutcome outcome = CheckEngine(record, table, options);
  hits = table->Snapshot();
  return OutcomeResultText(outcome);
}

}  // namespace

void CEngineDetailsDlg::BindEvents() {
  m_test->Bind(wxEVT_BUTTON, &CEngineDetailsDlg::OnTest, this);
  m_findMarkers->Bind(wxEVT_BUTTON, &CEngineDetailsDlg::OnFindMarkers, this);
  m_stop->Bind(wxEVT_BUTTON, &CEngineDetailsDlg::OnStop, this);
  Bind(wxEVT_BUTTON, &CEngineDetailsDlg::OnCancel, this, wxID_CANCEL);
}

void CEngineDetailsDlg::SetWords(const std::string& words) { m_words->ChangeValue(ToWx(words)); }

std::shared_ptr<const InternetSession> CEngineDetailsDlg::Session() {
  if (!m_session) m_session = CreateInternetSession(m_connection);
  return m_session;
}

bool CEngineDetailsDlg::ReadyForTrial(SearchEngine& record, std::string& words) {
  record = ReadControls();
  words = FromWx(m_words->GetValue());
  if (words.find_first_not_of(' ') == std::string::npos) {
    ShowTrial("Type the words to search for.", {});
    m_words->SetFocus();
    return false;
  }
  if (record.prefix.empty() && record.url.empty()) {
    ShowTrial("The URL and the Search Command Prefix make the address to ask; both are empty.", {});
    return false;
  }
  return true;
}

void CEngineDetailsDlg::SetBusy(bool busy) {
  m_test->Enable(!busy);
  m_findMarkers->Enable(!busy);
  m_stop->Enable(busy);
  if (busy) {
    m_gauge->SetValue(0);
    ShowTrial("Working...", {});
  }
}

void CEngineDetailsDlg::ShowTrial(const std::string& outcome, const std::vector<SearchHit>& hits) {
  m_outcome->SetLabel(ToWx(outcome));
  m_hits->DeleteAllItems();
  for (const SearchHit& hit : hits) {
    const long row = m_hits->InsertItem(m_hits->GetItemCount(), ToWx(hit.description));
    m_hits->SetItem(row, 1, ToWx(hit.url));
  }
}

void CEngineDetailsDlg::OnTest(wxCommandEvent&) {
  SearchEngine record;
  std::string words;
  if (!ReadyForTrial(record, words)) return;
  // A search runs only records that keep their fields; the trial does as it would.
  record.valid = HasRequiredFields(record) ? 1 : 0;
  auto result = std::make_shared<TrialResult>();
  SetBusy(true);
  m_task.Start(
      [record, words, session = Session(), result](std::stop_token stop, const WorkerTask::Report& report) {
        result->outcome = CheckInto(record, words, session, stop, report, result->hits);
      },
      [this](int percent) { m_gauge->SetValue(percent); },
      [this, result] {
        SetBusy(false);
        m_gauge->SetValue(100);
        ShowTrial(result->outcome, result->hits);
      });
}

void CEngineDetailsDlg::OnFindMarkers(wxCommandEvent&) {
  SearchEngine record;
  std::string words;
  if (!ReadyForTrial(record, words)) return;
  auto result = std::make_shared<TrialResult>();
  SetBusy(true);
  m_task.Start(
      [record, words, session = Session(), result](std::stop_token stop, const WorkerTask::Report& report) {
        TrialFetchControl control(stop, report);
        const std::string address = BuildRequestAddress(record, EncodeQuery(words, EntirePhrase));
        std::optional<std::string> page = FetchPageAt(session, address, control);
        if (stop.stop_requested()) return;
        if (!page || page->empty()) {
          result->outcome = "Nothing came from " + address + ".";
          return;
        }
        std::string converted = ConvertPageToUtf8(*page, "");
        std::erase(converted, '\0');
        LearnFailure failure;
        result->repaired = RefindMarkers(record, converted, words, failure, [&stop] { return stop.stop_requested(); });
        if (!result->repaired) {
          result->outcome = "No markers found: " + failure.message + ".";
          return;
        }
        SearchEngine tried = *result->repaired;
        tried.valid = HasRequiredFields(tried) ? 1 : 0;
        report(50);
        result->outcome = CheckInto(tried, words, session, stop, [&report](int percent) { report(50 + percent / 2); },
                                    result->hits);
      },
      [this](int percent) { m_gauge->SetValue(percent); },
      [this, record, result] {
        SetBusy(false);
        m_gauge->SetValue(100);
        if (const auto& repaired = result->repaired) {
          // Only the fields the markers change are written; the others keep
          // their exact bytes.
          m_startToken->ChangeValue(ToWx(repaired->startToken));
          m_endToken->ChangeValue(ToWx(repaired->endToken));
          if (repaired->url != record.url) {
            m_url->ChangeValue(ToWx(repaired->url));
            m_prefix->ChangeValue(ToWx(repaired->prefix));
          }
        }
        ShowTrial(result->outcome, result->hits);
      });
}

void CEngineDetailsDlg::OnStop(wxCommandEvent&) {
  m_task.Stop();
  SetBusy(false);
  ShowTrial("Stopped.", {});
}

void CEngineDetailsDlg::OnCancel(wxCommandEvent& event) {
  m_task.Stop();
  event.Skip();
}

}  // namespace sorvane
