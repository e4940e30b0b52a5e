#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// One row of the category pane. The rows are fixed; categories.dat only attaches
// engine-name lists to them.
struct Category {
  std::string name;
  int imageIndex = 0;    // position of the row's picture in the pane's image list
  int smallBitmap = 0;   // resource id of the row's small picture
  int largePicture = 0;  // resource id of the Search dialog's picture, 0 for none
  // Absent until categories.dat gives the row a list; an absent list and an empty
  // one both mean the category has no engines.
  std::optional<std::vector<std::string>> engineNames;
};

using CategoryRows = std::vector<Category>;

inline constexpr int kCategoryCount = 22;
// Row 1 starts a PC search instead of a web search; it is known by its row
// number, never by its text.
inline constexpr int kMyPcRow = 1;
// Words typed for this category are rewritten before anything else sees them.
inline constexpr std::string_view kEmailCategory = "Email";

// The 22 rows in the order the pane shows them.
CategoryRows DefaultCategoryRows();

// Index of the first row whose name equals `name` ignoring ASCII letter case, or -1.
int FindCategoryRowIgnoringCase(const CategoryRows& rows, std::string_view name);

// Index of the first row whose name equals `name` exactly, or -1.
int FindCategoryRow(const CategoryRows& rows, std::string_view name);

}  // namespace sorvane
