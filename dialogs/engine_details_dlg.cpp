#include "dialogs/engine_details_dlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/control_lookup.h"
#include "dialogs/engine_choice.h"
#include "dialogs/form_layout.h"
#include "dialogs/user_prompts.h"
#include "dialogs/window_builder.h"
#include "dialogs/wx_text.h"
#include "res/engine_dialog_templates.h"

namespace sorvane {

SearchEngine BlankEngineValues() {
  SearchEngine blank;
  blank.searchType = -1;
  return blank;
}

CEngineDetailsDlg::CEngineDetailsDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, ToWx(res::EngineDetailsTemplate().title), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU),
      m_prompts(&SystemPrompts()),
      m_values(BlankEngineValues()) {
  const res::WindowTemplate shape = res::EngineDetailsTemplate();
  const std::vector<wxWindow*> built = BuildTemplateControls(*this, shape);
  const auto controls = ControlsById(shape, built);
  m_name = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_NAME);
  m_startToken = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_START_TOKEN);
  m_endToken = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_END_TOKEN);
  m_url = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_URL);
  m_searchType = FindControl<wxChoice>(controls, res::IDC_DETAILS_SEARCH_TYPE);
  m_nextPage = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_NEXT_PAGE);
  m_prefix = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_PREFIX);
  m_suffix = FindControl<wxTextCtrl>(controls, res::IDC_DETAILS_SUFFIX);
  for (const char* text : kSearchTypeTexts) m_searchType->Append(text);
  LayOut(shape, built);
  BindEvents();
}

// The fields in one column, from one left edge, each label centred on its
// field; OK and Cancel centred under them.
void CEngineDetailsDlg::LayOut(const res::WindowTemplate& shape, const std::vector<wxWindow*>& built) {
  auto* body = new wxBoxSizer(wxVERTICAL);
  body->Add(MakeFormGrid(*this, LabelledFields(shape, built)), 0, wxEXPAND);
  body->AddSpacer(ConvertDialogToPixels(wxSize(0, 7)).y);
  body->Add(MakeTrialArea(), 1, wxEXPAND);
  body->AddSpacer(ConvertDialogToPixels(wxSize(0, 7)).y);
  body->Add(MakeButtonRow(*this, TemplateButtons(shape, built)), 0, wxEXPAND);
  FitToForm(*this, body, shape);
}

// The words, the two trials and Stop on one row; the progress, the outcome
// line and the hits under it.
wxSizer* CEngineDetailsDlg::MakeTrialArea() {
  const int gap = ConvertDialogToPixels(wxSize(4, 0)).x;
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "&Words"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  m_words = new wxTextCtrl(this, wxID_ANY);
  row->Add(m_words, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
  m_test = new wxButton(this, wxID_ANY, "&Test");
  m_findMarkers = new wxButton(this, wxID_ANY, "&Find Markers");
  m_stop = new wxButton(this, wxID_ANY, "S&top");
  m_stop->Disable();
  row->Add(m_test, 0, wxRIGHT, gap);
  row->Add(m_findMarkers, 0, wxRIGHT, gap);
  row->Add(m_stop, 0);

  auto* area = new wxBoxSizer(wxVERTICAL);
  area->Add(row, 0, wxEXPAND);
  m_gauge = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(-1, ConvertDialogToPixels(wxSize(0, 6)).y));
  area->Add(m_gauge, 0, wxEXPAND | wxTOP, gap);
  m_outcome = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
  area->Add(m_outcome, 0, wxEXPAND | wxTOP, gap);
  m_hits = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, ConvertDialogToPixels(wxSize(-1, 70)),
                          wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
  m_hits->AppendColumn("Description", wxLIST_FORMAT_LEFT, ConvertDialogToPixels(wxSize(150, 0)).x);
  m_hits->AppendColumn("URL", wxLIST_FORMAT_LEFT, ConvertDialogToPixels(wxSize(110, 0)).x);
  area->Add(m_hits, 1, wxEXPAND | wxTOP, gap);
  return area;
}

bool CEngineDetailsDlg::TransferDataToWindow() {
  m_name->ChangeValue(ToWx(m_values.name));
  m_startToken->ChangeValue(ToWx(m_values.startToken));
  m_endToken->ChangeValue(ToWx(m_values.endToken));
  m_url->ChangeValue(ToWx(m_values.url));
  m_nextPage->ChangeValue(ToWx(m_values.nextPageCommand));
  m_prefix->ChangeValue(ToWx(m_values.prefix));
  m_suffix->ChangeValue(ToWx(m_values.suffix));
  const int type = m_values.searchType;
  m_searchType->SetSelection(type >= 0 && type < static_cast<int>(m_searchType->GetCount()) ? type : wxNOT_FOUND);
  return true;
}

SearchEngine CEngineDetailsDlg::ReadControls() const {
  SearchEngine read = m_values;
  read.name = FromWxKeeping(m_name->GetValue(), m_values.name);
  read.startToken = FromWxKeeping(m_startToken->GetValue(), m_values.startToken);
  read.endToken = FromWxKeeping(m_endToken->GetValue(), m_values.endToken);
  read.url = FromWxKeeping(m_url->GetValue(), m_values.url);
  read.nextPageCommand = FromWxKeeping(m_nextPage->GetValue(), m_values.nextPageCommand);
  read.prefix = FromWxKeeping(m_prefix->GetValue(), m_values.prefix);
  read.suffix = FromWxKeeping(m_suffix->GetValue(), m_values.suffix);
  // A type the list cannot show (say -1, or a number from a hand-made file) is
  // kept while the user chooses none.
  const int chosen = m_searchType->GetSelection();
  if (chosen != wxNOT_FOUND) read.searchType = chosen;
  return read;
}

bool CEngineDetailsDlg::TransferDataFromWindow() {
  SearchEngine read = ReadControls();
  if (!HasRequiredFields(read)) {
    const std::string question(kDroppedAtNextStartQuestion);
    if (m_prompts->ShowMessage(this, ToWx(question), kMessageCaption, wxYES_NO | wxICON_WARNING) != wxYES) return false;
  }
  m_values = std::move(read);
  return true;
}

}  // namespace sorvane
