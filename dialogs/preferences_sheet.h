#pragma once

#include "dialogs/property_sheet.h"

namespace sorvane {

class CCommPrefsPage;
class CProgramPrefsPage;
class UserPrompts;
struct PreferencesTarget;

// The Preferences sheet: "Program", then "Communication", with the proxy and
// port texts of `target` already in the Communication page. Run it modally;
// its result does not matter, since the pages apply their changes themselves.
//
//   CPreferencesSheet sheet(target);
//   sheet.ShowModal();
//
// `target` (and `prompts`) must outlive the sheet. UI thread only.
class CPreferencesSheet final : public CPropertySheet {
 public:
  explicit CPreferencesSheet(PreferencesTarget& target);
  CPreferencesSheet(PreferencesTarget& target, UserPrompts& prompts);

  CProgramPrefsPage& ProgramPage() { return *m_programPage; }
  CCommPrefsPage& CommPage() { return *m_commPage; }

 private:
  CProgramPrefsPage* m_programPage = nullptr;
  CCommPrefsPage* m_commPage = nullptr;
};

}  // namespace sorvane
