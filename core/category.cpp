#include "core/category.h"

#include "core/text_util.h"

namespace sorvane {

CategoryRows DefaultCategoryRows() {
  struct RowData {
    const char* name;
    int smallBitmap;
    int imageIndex;
    int largePicture;
  };
  static constexpr RowData kRows[kCategoryCount] = {
      {"Entire Web", 216, 20, 189}, {"My PC", 171, 12, 0},       {"Arts", 220, 0, 196},
      {"Books", 203, 1, 179},       {"Business", 215, 2, 190},   {"Email", 207, 3, 228},
      {"Finance", 201, 4, 181},     {"Games", 213, 5, 206},      {"Jobs", 211, 21, 178},
      {"Kids", 205, 6, 218},        {"Learning", 208, 7, 180},   {"Life", 212, 8, 182},
      {"Medicine", 200, 9, 229},    {"Movies", 198, 10, 221},    {"Music", 199, 11, 183},
      {"News", 204, 13, 184},       {"Newsgroups", 214, 14, 185}, {"Politics", 219, 15, 223},
      {"Software", 202, 16, 225},   {"Sports", 210, 17, 186},    {"Technology", 209, 18, 187},
      {"Travel", 217, 19, 226},
  };
  CategoryRows rows;
  rows.reserve(kCategoryCount);
  for (const RowData& row : kRows) {
    rows.push_back(Category{row.name, row.imageIndex, row.smallBitmap, row.largePicture, {}});
  }
  return rows;
}

int FindCategoryRowIgnoringCase(const CategoryRows& rows, std::string_view name) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (EqualsIgnoringAsciiCase(rows[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

int FindCategoryRow(const CategoryRows& rows, std::string_view name) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace sorvane
