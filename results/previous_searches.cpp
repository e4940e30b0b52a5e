#include "results/previous_searches.h"

#include "core/category.h"

namespace sorvane {

std::string ChooseCategoryMessage(std::string_view words) {
  return "Please choose a category to search for " + std::string(words) + " in.";
}

std::string ConfirmDeleteMessage(std::string_view words) {
  return "Are you sure you want to delete '" + std::string(words) + "'?";
}

PreviousSearchList MakePreviousSearchList(std::vector<std::string> titles) {
  PreviousSearchList list;
  list.titles = std::move(titles);
  list.selection = list.titles.empty() ? -1 : 0;
  return list;
}

std::optional<std::string> ChosenEntry(const PreviousSearchList& list) {
  if (list.titles.empty()) return std::nullopt;
  const bool selected = list.selection >= 0 && list.selection < static_cast<int>(list.titles.size());
  return list.titles[selected ? static_cast<std::size_t>(list.selection) : 0];
}

SelectDecision DecidePreviousSearchSelected(const PreviousSearchList& list) {
  SelectDecision decision;
  const std::optional<std::string> text = ChosenEntry(list);
  if (!text || text->empty()) return decision;
  decision.outcome = SelectOutcome::Load;
  decision.words = *text;
  return decision;
}

SearchAgainDecision DecideSearchAgain(const PreviousSearchList& list, std::optional<int> selectedCategoryRow) {
  SearchAgainDecision decision;
  const std::optional<std::string> text = ChosenEntry(list);
  if (!text) {
    decision.message = std::string(kSearchAgainEmptyListMessage);
    return decision;
  }
  decision.words = *text;
  if (!selectedCategoryRow || *selectedCategoryRow < 0) {
    decision.outcome = SearchAgainOutcome::ShowChooseCategoryMessage;
    decision.message = ChooseCategoryMessage(*text);
    return decision;
  }
  decision.categoryRow = *selectedCategoryRow;
  decision.outcome =
      *selectedCategoryRow == kMyPcRow ? SearchAgainOutcome::StartPcSearch : SearchAgainOutcome::StartWebSearch;
  return decision;
}

DeleteDecision DecideDeleteSearch(const PreviousSearchList& list) {
  DeleteDecision decision;
  const std::optional<std::string> text = ChosenEntry(list);
  if (!text) {
    decision.message = std::string(kDeleteEmptyListMessage);
    return decision;
  }
  if (text->empty()) {
    decision.outcome = DeleteOutcome::Nothing;
    return decision;
  }
  decision.outcome = DeleteOutcome::AskToConfirm;
  decision.words = *text;
  decision.message = ConfirmDeleteMessage(*text);
  return decision;
}

}  // namespace sorvane
