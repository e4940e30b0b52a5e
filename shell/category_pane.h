#pragma once

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include <array>

#include "core/category.h"

namespace sorvane {

// The left pane: the 22 category rows with their small pictures, grey with white
// text, selecting whatever row the pointer rests on. It only shows the rows; the
// frame decides what a click does. UI thread only.
class CCategoryPane final : public wxListCtrl {
 public:
  // The image size when picture 203, which sets it, is missing.
  static constexpr int kImageSize = 32;
  static constexpr int kExtraColumnWidth = 32;
  // The generic list pads its picture and text by a few pixels each side.
  static constexpr int kListMargins = 12;

  CCategoryPane(wxWindow* parent, const CategoryRows& rows);

  // The first selected row, or -1.
  int SelectedRow() const;
  // The image index the row shows, read back from the list.
  int RowImage(int row) const;
  // The small bitmap of an image index, or an invalid bitmap.
  wxBitmap CategoryBitmap(int imageIndex) const;

 private:
  void BindEvents();
  void FillImages(const CategoryRows& rows);
  void InsertRows(const CategoryRows& rows);
  void OnMouseMove(wxMouseEvent& event);
  void OnSize(wxSizeEvent& event);
  void FillPaneWidth();

  wxSize m_imageSize;
  // The width the rows were laid out for ("Technology" and the picture); the
  // column is never narrower, and fills the pane when it is wider.
  int m_fittedWidth = 0;
  wxImageList m_images;
  std::array<wxBitmap, kCategoryCount> m_bitmaps;  // by image index
};

}  // namespace sorvane
