#pragma once

#include <wx/defs.h>

#include <deque>
#include <optional>
#include <vector>

#include "dialogs/user_prompts.h"

namespace sorvane::testing {

// Answers a dialog's message boxes and choosers from lists set up by the test,
// and records what was asked. An answer not set up is a cancel (wxCANCEL for a
// box with a Cancel button, wxNO for Yes/No, wxOK otherwise).
class ScriptedPrompts final : public UserPrompts {
 public:
  struct Message {
    wxString text;
    wxString caption;
    long style;
  };

  int ShowMessage(wxWindow*, const wxString& text, const wxString& caption, long style) override {
    messages.push_back({text, caption, style});
    if (!messageAnswers.empty()) {
      const int answer = messageAnswers.front();
      messageAnswers.pop_front();
      return answer;
    }
    if (style & wxCANCEL) return wxCANCEL;
    return (style & wxYES_NO) ? wxNO : wxOK;
  }

  std::optional<wxString> ChooseFolder(wxWindow*, const wxString& title) override {
    folderTitles.push_back(title);
    return Next(folders);
  }

  std::optional<wxColour> ChooseColour(wxWindow*, const wxColour& current) override {
    ++colourChoosers;
    colourStarts.push_back(current);
    return Next(colours);
  }

  std::deque<int> messageAnswers;
  std::deque<std::optional<wxString>> folders;
  std::deque<std::optional<wxColour>> colours;
  std::vector<Message> messages;
  std::vector<wxString> folderTitles;
  int colourChoosers = 0;
  // The colour each chooser opened at.
  std::vector<wxColour> colourStarts;

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace sorvane::testing
