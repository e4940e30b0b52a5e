#include "dialogs/program_prefs_page.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/settings.h>

#include <string>

#include "core/maker_site.h"
#include "core/results_table.h"
#include "dialogs/control_lookup.h"
#include "dialogs/user_prompts.h"
#include "res/prefs_templates.h"
#include "results/result_columns.h"
#include "results/results_list_ctrl.h"

namespace sorvane {

namespace {

ColorRef ToColorRef(const wxColour& colour) { return MakeColorRef(colour.Red(), colour.Green(), colour.Blue()); }

// The texts the preview shows: its own rows, in the columns of the results list.
constexpr const char* kSampleDescriptions[] = {
    "Sorvane - every search engine of a category at once, in one ranked list.",
    "Sorvane - your searches kept, shown again and searched again in a click.",
};
constexpr const char* kSampleEngine = "Infoseek";

}  // namespace

CProgramPrefsPage::CProgramPrefsPage(CPropertySheet& sheet, PreferencesTarget& target, UserPrompts& prompts)
    : CPropertyPage(sheet, res::ProgramPrefsTemplate()), m_target(target), m_prompts(prompts) {
  m_previewList = &TemplateControl<CResultsListCtrl>(Controls(), res::IDC_PREVIEW_LIST);
  m_showWebViewCheck = &TemplateControl<wxCheckBox>(Controls(), res::IDC_SHOW_WEB_VIEW);
  m_titleButton = &TemplateControl<wxButton>(Controls(), res::IDC_TITLE_COLOR);
  m_viewedButton = &TemplateControl<wxButton>(Controls(), res::IDC_VIEWED_COLOR);
  m_longDescButton = &TemplateControl<wxButton>(Controls(), res::IDC_LONG_DESC_COLOR);
  m_backgroundButton = &TemplateControl<wxButton>(Controls(), res::IDC_BACKGROUND_COLOR);
  m_originalButton = &TemplateControl<wxButton>(Controls(), res::IDC_ORIGINAL_SETTINGS);
  BindEvents();
}

void CProgramPrefsPage::BindEvents() {
  m_titleButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    ChooseColour(&CResultsListCtrl::GetTitleColor, &CResultsListCtrl::SetTitleColor);
  });
  m_viewedButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    ChooseColour(&CResultsListCtrl::GetViewedColor, &CResultsListCtrl::SetViewedColor);
  });
  m_longDescButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    ChooseColour(&CResultsListCtrl::GetLongDescColor, &CResultsListCtrl::SetLongDescColor);
  });
  m_backgroundButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    ChooseColour(&CResultsListCtrl::GetBackgroundColor, &CResultsListCtrl::SetBackgroundColor);
  });
  m_originalButton->Bind(wxEVT_BUTTON, &CProgramPrefsPage::OnOriginalSettings, this);
  m_showWebViewCheck->Bind(wxEVT_CHECKBOX, &CProgramPrefsPage::OnShowWebViewClicked, this);
}

bool CProgramPrefsPage::TransferDataToWindow() {
  m_showWebViewCheck->SetValue(m_showWebView != 0);
  return true;
}

bool CProgramPrefsPage::TransferDataFromWindow() {
  m_showWebView = m_showWebViewCheck->GetValue() ? 1 : 0;
  return true;
}

void CProgramPrefsPage::OnInitPage() {
  AddSampleRows();
  if (m_target.currentColours) ShowColours(m_target.currentColours());
  m_showWebView = m_target.settings.showWebView != 0 ? 1 : 0;
  TransferDataToWindow();
}

void CProgramPrefsPage::AddSampleRows() {
  m_sampleRows = std::make_shared<ResultsTable>();
  m_sampleRows->WithLock([](TableRows& rows) {
    for (const char* description : kSampleDescriptions)
      rows.AppendRow({description, std::string(kMakerWebSite), "100", "1", kSampleEngine});
    rows.SetViewed(1, true);
  });
  m_previewList->SetTable(m_sampleRows);
  WidenResultColumns(*m_previewList);
  m_previewList->SyncWithTable();
}

void CProgramPrefsPage::ShowColours(const ListColours& colours) {
  m_previewList->SetBackgroundColor(colours.background);
  m_previewList->SetTitleColor(colours.webViewColor);
  m_previewList->SetViewedColor(colours.viewedSiteColor);
  m_previewList->SetLongDescColor(colours.longDescColor);
}

ListColours CProgramPrefsPage::PreviewColours() const {
  ListColours colours;
  colours.background = m_previewList->GetBackgroundColor();
  colours.webViewColor = m_previewList->GetTitleColor();
  colours.viewedSiteColor = m_previewList->GetViewedColor();
  colours.longDescColor = m_previewList->GetLongDescColor();
  return colours;
}

// The chooser opens at the colour the preview shows in the button's role, so a
// cancelled or unchanged choice is no surprise.
void CProgramPrefsPage::ChooseColour(std::uint32_t (CResultsListCtrl::*getter)() const,
                                     void (CResultsListCtrl::*setter)(std::uint32_t)) {
  const wxColour current = CResultsListCtrl::ToColour((m_previewList->*getter)());
  const auto chosen = m_prompts.ChooseColour(this, current);
  if (!chosen || !chosen->IsOk()) return;
  (m_previewList->*setter)(ToColorRef(*chosen));
  m_previewList->Refresh();
  SetModified();
}

// The values the program starts with when nothing is stored.
void CProgramPrefsPage::OnOriginalSettings(wxCommandEvent&) {
  ListColours original;
  original.background = ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  ShowColours(original);
  m_previewList->Refresh();
  m_showWebView = 0;
  m_showWebViewCheck->SetValue(false);
  SetModified();
}

void CProgramPrefsPage::OnShowWebViewClicked(wxCommandEvent&) { SetModified(); }

bool CProgramPrefsPage::OnApply() {
  TransferDataFromWindow();
  if (m_target.applyColours) m_target.applyColours(PreviewColours());
  m_target.settings.showWebView = m_showWebView;
  return true;
}

}  // namespace sorvane
