#include "dialogs/comm_prefs_page.h"

#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "dialogs/connection_choice.h"
#include "dialogs/control_lookup.h"
#include "dialogs/user_prompts.h"
#include "dialogs/wx_text.h"
#include "res/prefs_templates.h"

namespace sorvane {

CCommPrefsPage::CCommPrefsPage(CPropertySheet& sheet, PreferencesTarget& target, UserPrompts& prompts)
    : CPropertyPage(sheet, res::CommPrefsTemplate()), m_target(target), m_prompts(prompts) {
  m_options[0] = &TemplateControl<wxRadioButton>(Controls(), res::IDC_CONNECT_PRECONFIGURED);
  m_options[1] = &TemplateControl<wxRadioButton>(Controls(), res::IDC_CONNECT_DIRECT);
  m_options[2] = &TemplateControl<wxRadioButton>(Controls(), res::IDC_CONNECT_PROXY);
  m_proxyEdit = &TemplateControl<wxTextCtrl>(Controls(), res::IDC_PROXY_SERVER);
  m_portEdit = &TemplateControl<wxTextCtrl>(Controls(), res::IDC_PROXY_PORT);
  BindEvents();
}

void CCommPrefsPage::BindEvents() {
  for (int index = 0; index < 3; ++index)
    m_options[index]->Bind(wxEVT_RADIOBUTTON, [this, index](wxCommandEvent&) { OnOption(index); });
}

bool CCommPrefsPage::TransferDataToWindow() {
  m_proxyEdit->ChangeValue(ToWx(m_strProxy));
  m_portEdit->ChangeValue(ToWx(m_strPort));
  return true;
}

bool CCommPrefsPage::TransferDataFromWindow() {
  m_strProxy = FromWx(m_proxyEdit->GetValue());
  m_strPort = FromWx(m_portEdit->GetValue());
  return true;
}

// The stored method is kept as it is: a value the page does not know shows as
// the preconfigured option and goes back unchanged unless the user picks one.
void CCommPrefsPage::OnInitPage() {
  TransferDataToWindow();
  m_method = m_target.settings.connection.connectMethod;
  m_options[ConnectOptionIndex(m_method)]->SetValue(true);
  ApplyEnablingRule();
  TransferDataToWindow();
}

void CCommPrefsPage::OnOption(int optionIndex) {
  TransferDataFromWindow();
  m_method = ConnectMethodOfOption(optionIndex);
  ApplyEnablingRule();
}

void CCommPrefsPage::ApplyEnablingRule() {
  const bool proxy = ProxyEditsEnabled(m_method);
  m_proxyEdit->Enable(proxy);
  m_portEdit->Enable(proxy);
}

bool CCommPrefsPage::OnApply() {
  TransferDataFromWindow();
  const auto toStore = ConnectionToStore(m_method, m_strProxy, m_strPort);
  if (!toStore) {
    BringToFront();
    m_prompts.ShowMessage(this, "Please enter the proxy server", kMessageCaption, wxOK);
    m_proxyEdit->SetFocus();
    return false;
  }
  m_strProxy = toStore->proxy;
  m_strPort = toStore->port;
  TransferDataToWindow();
  m_target.settings.connection = *toStore;
  return true;
}

}  // namespace sorvane
