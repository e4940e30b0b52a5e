#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <functional>
#include <string>
#include <vector>

namespace sorvane::testing {

// Answers the modal dialogs and message boxes a test makes the program open, as
// a person at the screen would. While it lives, every modal dialog is passed to
// `answer`: returning an id (wxID_OK, wxID_YES, wxID_CANCEL...) ends it at once
// with that id without showing it; returning wxID_NONE lets it run, for a test
// that drives its controls (queue the clicks with the dialog's CallAfter).
// UI thread only.
class ModalAnswers final : public wxModalDialogHook {
 public:
  // What was asked: the caption, and the text for message boxes.
  struct Asked {
    wxString caption;
    wxString message;
    long style = 0;
  };
  using Answer = std::function<int(wxDialog& dialog)>;

  explicit ModalAnswers(Answer answer) : answer_(std::move(answer)) { Register(); }
  ~ModalAnswers() override { Unregister(); }
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // An answer for message boxes alone, leaving other dialogs to `others`.
  static Answer MessageBoxes(int reply, Answer others = [](wxDialog&) { return wxID_CANCEL; }) {
    return [reply, others](wxDialog& dialog) {
      return dynamic_cast<wxMessageDialogBase*>(&dialog) ? reply : others(dialog);
    };
  }

  const std::vector<Asked>& asked() const { return asked_; }
  std::vector<wxString> Messages() const {
    std::vector<wxString> messages;
    for (const Asked& asked : asked_) messages.push_back(asked.message);
    return messages;
  }

 protected:
  int Enter(wxDialog* dialog) override {
    Asked asked;
    asked.caption = dialog->GetTitle();
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
      asked.message = box->GetMessage();
      asked.caption = box->GetTitle();
      asked.style = box->GetMessageDialogStyle();
    }
    asked_.push_back(asked);
    return answer_(*dialog);
  }
  void Exit(wxDialog*) override {}

 private:
  Answer answer_;
  std::vector<Asked> asked_;
};

}  // namespace sorvane::testing
