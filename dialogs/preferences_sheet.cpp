#include "dialogs/preferences_sheet.h"

#include "dialogs/comm_prefs_page.h"
#include "dialogs/help_page.h"
#include "dialogs/preferences_target.h"
#include "dialogs/program_prefs_page.h"
#include "dialogs/user_prompts.h"

namespace sorvane {

CPreferencesSheet::CPreferencesSheet(PreferencesTarget& target) : CPreferencesSheet(target, SystemPrompts()) {}

// The sheet has no caption and no parent of its own, as the program has always
// shown it.
CPreferencesSheet::CPreferencesSheet(PreferencesTarget& target, UserPrompts& prompts)
    : CPropertySheet(nullptr, wxEmptyString) {
  m_programPage = new CProgramPrefsPage(*this, target, prompts);
  m_commPage = new CCommPrefsPage(*this, target, prompts);
  AddPage(*m_programPage);
  AddPage(*m_commPage);
  m_commPage->SetProxy(target.settings.connection.proxy);
  m_commPage->SetPort(target.settings.connection.port);
  SetHelpPage(*this, "preferences.html");
}

}  // namespace sorvane
