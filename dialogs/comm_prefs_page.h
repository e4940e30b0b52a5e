#pragma once

#include <string>

#include "dialogs/preferences_target.h"
#include "dialogs/property_sheet.h"

class wxRadioButton;
class wxTextCtrl;

namespace sorvane {

class UserPrompts;

// The "Communication" page: how the fetcher reaches the internet (the system's
// settings, directly, or through a named proxy with its port). Choosing an
// option does not mark the page changed; OK still applies it. UI thread only.
class CCommPrefsPage final : public CPropertyPage {
 public:
  CCommPrefsPage(CPropertySheet& sheet, PreferencesTarget& target, UserPrompts& prompts);

  // The texts the edits start with.
  void SetPort(std::string port) { m_strPort = std::move(port); }
  void SetProxy(std::string proxy) { m_strProxy = std::move(proxy); }

  int Method() const { return m_method; }
  wxRadioButton& PreconfiguredOption() { return *m_options[0]; }
  wxRadioButton& DirectOption() { return *m_options[1]; }
  wxRadioButton& ProxyOption() { return *m_options[2]; }
  wxTextCtrl& ProxyEdit() { return *m_proxyEdit; }
  wxTextCtrl& PortEdit() { return *m_portEdit; }

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void BindEvents();
  void OnInitPage() override;
  bool OnApply() override;
  void OnOption(int optionIndex);
  void ApplyEnablingRule();

  int m_method = 0;
  std::string m_strPort;
  std::string m_strProxy;

  PreferencesTarget& m_target;
  UserPrompts& m_prompts;
  wxRadioButton* m_options[3] = {};
  wxTextCtrl* m_proxyEdit = nullptr;
  wxTextCtrl* m_portEdit = nullptr;
};

}  // namespace sorvane
