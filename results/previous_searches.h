#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// What the Previous Searches bar's three buttons do, decided from the list's
// state alone, so both front ends act alike. The front end shows the messages
// (caption "Sorvane", OK, information icon; the delete question with Yes, No and
// Cancel) and carries out the outcome.

inline constexpr std::string_view kSearchAgainEmptyListMessage =
    "The list of Previous Searches is empty.  After you search for something, you will see it appear in "
    "the list.  You can then press the <Search> button again to re-search the Internet for your "
    "information.";
inline constexpr std::string_view kDeleteEmptyListMessage =
    "The list of Previous Searches is empty.  After you search for something, you will see it appear in "
    "the list.  You can then press the <Delete> button delete search results displayed in the List View.";

// "Please choose a category to search for WORDS in."
std::string ChooseCategoryMessage(std::string_view words);
// "Are you sure you want to delete 'WORDS'?"
std::string ConfirmDeleteMessage(std::string_view words);

// The list as the bar holds it: the titles and the selected entry (-1 for none).
struct PreviousSearchList {
  std::vector<std::string> titles;
  int selection = -1;
};

// The list after a rebuild from the saved titles: the first entry selected when
// there is one.
PreviousSearchList MakePreviousSearchList(std::vector<std::string> titles);

// The text of the selected entry, entry 0 when none is selected; nothing when the
// list is empty.
std::optional<std::string> ChosenEntry(const PreviousSearchList& list);

enum class SelectOutcome {
  Nothing,  // the list is empty or the entry's text is
  Load,     // set the last words, empty the table, load the saved search, write the page
};
struct SelectDecision {
  SelectOutcome outcome = SelectOutcome::Nothing;
  std::string words;
};
SelectDecision DecidePreviousSearchSelected(const PreviousSearchList& list);

enum class SearchAgainOutcome {
  ShowEmptyListMessage,      // kSearchAgainEmptyListMessage
  ShowChooseCategoryMessage,  // message holds ChooseCategoryMessage(words)
  StartPcSearch,             // the "My PC" row: set the last words and start a PC search
  StartWebSearch,            // StartSearch with categoryRow and the words as starting words
};
struct SearchAgainDecision {
  SearchAgainOutcome outcome = SearchAgainOutcome::ShowEmptyListMessage;
  std::string words;
  int categoryRow = -1;
  std::string message;
};
// `selectedCategoryRow`: the category pane's first selected row, nothing when none.
SearchAgainDecision DecideSearchAgain(const PreviousSearchList& list, std::optional<int> selectedCategoryRow);

enum class DeleteOutcome {
  ShowEmptyListMessage,  // kDeleteEmptyListMessage
  Nothing,               // the entry's text is empty
  AskToConfirm,          // message holds ConfirmDeleteMessage(words); on Yes delete and rebuild
};
struct DeleteDecision {
  DeleteOutcome outcome = DeleteOutcome::ShowEmptyListMessage;
  std::string words;
  std::string message;
};
DeleteDecision DecideDeleteSearch(const PreviousSearchList& list);

}  // namespace sorvane
