#pragma once

#include <string_view>

namespace sorvane {

// How well a description matches the typed words, 0 to 100, ignoring the case of
// every letter (both texts Unicode case-folded, see FoldCase): 10 for each occurrence of the whole words text (overlaps count), plus 2 for
// each occurrence of every word that a space ends (the last word is not counted on
// its own). Empty words score 0.
int ScoreRelevance(std::string_view description, std::string_view words);

}  // namespace sorvane
