#include "dialogs/import_engine_dlg.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/wx_text.h"

namespace sorvane {

namespace {

// A fetch that reports into the import's progress and stops with it.
class ImportFetchControl final : public FetchControl {
 public:
  ImportFetchControl(std::stop_token stop, const WorkerTask::Report& report) : m_stop(stop), m_report(report) {}
  void ReportProgress(int percent) override { m_report(percent); }
  bool StopRequested() override { return m_stop.stop_requested(); }

 private:
  std::stop_token m_stop;
  const WorkerTask::Report& m_report;
};

struct ImportResult {
  std::optional<LearnedEngine> learned;
  std::string failure;
};

}  // namespace

CImportEngineDlg::CImportEngineDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Import Engine", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxRESIZE_BORDER) {
  const int gap = ConvertDialogToPixels(wxSize(4, 0)).x;
  auto* body = new wxBoxSizer(wxVERTICAL);
  body->Add(new wxStaticText(this, wxID_ANY,
                             "&Search address with the words in it (copied from the browser after searching the "
                             "site), or an OpenSearch file or address:"),
            0, wxBOTTOM, gap);
  auto* sourceRow = new wxBoxSizer(wxHORIZONTAL);
  m_source = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, ConvertDialogToPixels(wxSize(220, -1)));
  m_browse = new wxButton(this, wxID_ANY, "&Browse...");
  sourceRow->Add(m_source, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  sourceRow->Add(m_browse, 0);
  body->Add(sourceRow, 0, wxEXPAND | wxBOTTOM, 2 * gap);
  body->Add(new wxStaticText(this, wxID_ANY, "&Words you searched for:"), 0, wxBOTTOM, gap);
  m_words = new wxTextCtrl(this, wxID_ANY);
  body->Add(m_words, 0, wxEXPAND | wxBOTTOM, 2 * gap);
  m_gauge = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(-1, ConvertDialogToPixels(wxSize(0, 6)).y));
  body->Add(m_gauge, 0, wxEXPAND | wxBOTTOM, gap);
  m_status = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
  body->Add(m_status, 0, wxEXPAND | wxBOTTOM, 2 * gap);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_import = new wxButton(this, wxID_ANY, "&Import");
  m_import->SetDefault();
  buttons->Add(m_import, 0, wxRIGHT, gap);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0);
  body->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL);
  auto* outer = new wxBoxSizer(wxVERTICAL);
  outer->Add(body, 1, wxEXPAND | wxALL, ConvertDialogToPixels(wxSize(7, 0)).x);
  SetSizerAndFit(outer);
  BindEvents();
}

void CImportEngineDlg::BindEvents() {
  m_browse->Bind(wxEVT_BUTTON, &CImportEngineDlg::OnBrowse, this);
  m_import->Bind(wxEVT_BUTTON, &CImportEngineDlg::OnImport, this);
  Bind(wxEVT_BUTTON, &CImportEngineDlg::OnCancel, this, wxID_CANCEL);
}

std::string CImportEngineDlg::Words() const { return FromWx(m_words->GetValue()); }

void CImportEngineDlg::OnBrowse(wxCommandEvent&) {
  wxFileDialog chooser(this, "OpenSearch description", "", "", "OpenSearch descriptions (*.xml)|*.xml|All files|*",
                       wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (chooser.ShowModal() == wxID_OK) m_source->ChangeValue(chooser.GetPath());
}

void CImportEngineDlg::OnImport(wxCommandEvent&) {
  std::string source = FromWx(m_source->GetValue());
  source.erase(0, source.find_first_not_of(" \t"));
  while (!source.empty() && (source.back() == ' ' || source.back() == '\t')) source.pop_back();
  const std::string words = Words();
  if (source.empty()) {
    m_status->SetLabel("Type or paste a search address, or choose an OpenSearch file.");
    m_source->SetFocus();
    return;
  }
  if (words.find_first_not_of(' ') == std::string::npos) {
    m_status->SetLabel("Type the words you searched for.");
    m_words->SetFocus();
    return;
  }
  m_import->Disable();
  m_gauge->SetValue(0);
  m_status->SetLabel("Fetching and learning...");
  auto result = std::make_shared<ImportResult>();
  m_task.Start(
      [source, words, connection = m_connection, result](std::stop_token stop, const WorkerTask::Report& report) {
        ImportFetchControl control(stop, report);
        LearnFailure failure;
        result->learned = LearnFromSource(source, words, CreateInternetSession(connection), control, failure);
        result->failure = failure.message;
      },
      [this](int percent) { m_gauge->SetValue(std::min(percent, 100)); },
      [this, result] {
        m_import->Enable();
        m_gauge->SetValue(100);
        if (!result->learned) {
          m_status->SetLabel(ToWx("No engine learned: " + result->failure + "."));
          return;
        }
        m_learned = result->learned->engine;
        SetReturnCode(wxID_OK);
        EndDialog(wxID_OK);
      });
}

void CImportEngineDlg::OnCancel(wxCommandEvent& event) {
  m_task.Stop();
  event.Skip();
}

}  // namespace sorvane
