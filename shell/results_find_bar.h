#pragma once

#include <wx/panel.h>

#include <functional>
#include <string>

class wxCheckBox;
class wxTextCtrl;

namespace sorvane {

// The one-line filter above the results list: a text and the "New only" box.
// Every change is handed to `changed`; Esc (in the text or on the box) hands
// over `closed`, and the owner hides the bar. UI thread only.
class CResultsFindBar final : public wxPanel {
 public:
  CResultsFindBar(wxWindow* parent, std::function<void()> changed, std::function<void()> closed);

  std::string Text() const;
  bool NewOnly() const;
  // "New only" means something only after a search that had an earlier one.
  void EnableNewOnly(bool enable);
  // Empties the text and clears the box, without telling anyone.
  void Clear();
  void FocusText();

  wxTextCtrl* TextControl() const { return m_text; }
  wxCheckBox* NewOnlyBox() const { return m_newOnly; }

 private:
  wxTextCtrl* m_text = nullptr;
  wxCheckBox* m_newOnly = nullptr;
  std::function<void()> m_changed;
  std::function<void()> m_closed;
};

}  // namespace sorvane
