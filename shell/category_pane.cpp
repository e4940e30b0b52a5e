#include "shell/category_pane.h"

#include <algorithm>

#include "res/image_resources.h"
#include "res/resource_ids.h"

namespace sorvane {

namespace {

const wxColour kPaneGrey(0x80, 0x80, 0x80);

// A bitmap of the image list's size: the picture cut or padded to it, or an
// empty (grey) square when the picture was not supplied.
wxBitmap FitToImageSize(const wxBitmap& bitmap, const wxSize& size) {
  if (bitmap.IsOk() && bitmap.GetSize() == size) return bitmap;
  wxImage image(size);
  image.SetRGB(wxRect(size), kPaneGrey.Red(), kPaneGrey.Green(), kPaneGrey.Blue());
  if (bitmap.IsOk()) {
    const wxSize kept(std::min(bitmap.GetWidth(), size.x), std::min(bitmap.GetHeight(), size.y));
    image.Paste(bitmap.ConvertToImage().Size(kept, wxPoint(0, 0)), 0, 0);
  }
  return wxBitmap(image);
}

// Picture 203 is loaded first: its size is the size of every image.
wxSize FirstPictureSize() {
  const wxBitmap first = res::LoadBitmapResource(ids::IDB_FIRST_CATEGORY_BITMAP);
  return first.IsOk() ? first.GetSize() : wxSize(CCategoryPane::kImageSize, CCategoryPane::kImageSize);
}

}  // namespace

CCategoryPane::CCategoryPane(wxWindow* parent, const CategoryRows& rows)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxSize(155, 0), wxLC_REPORT | wxLC_SINGLE_SEL),
      m_imageSize(FirstPictureSize()),
      m_images(m_imageSize.x, m_imageSize.y, false, 2) {
  FillImages(rows);
  SetImageList(&m_images, wxIMAGE_LIST_NORMAL);
  SetImageList(&m_images, wxIMAGE_LIST_SMALL);
  InsertColumn(0, "Categories to Search", wxLIST_FORMAT_LEFT, 0);
  InsertRows(rows);
  SetBackgroundColour(kPaneGrey);
  SetTextColour(*wxWHITE);
  BindEvents();
}

void CCategoryPane::BindEvents() {
  Bind(wxEVT_MOTION, &CCategoryPane::OnMouseMove, this);
  Bind(wxEVT_SIZE, &CCategoryPane::OnSize, this);
}

void CCategoryPane::OnSize(wxSizeEvent& event) {
  event.Skip();
  // The client width is known only once the size has been applied.
  CallAfter([this] { FillPaneWidth(); });
}

// A name is cut only when the pane itself is too narrow for it.
void CCategoryPane::FillPaneWidth() {
  const int width = std::max(m_fittedWidth, GetClientSize().x);
  if (GetColumnWidth(0) != width) SetColumnWidth(0, width);
}

// The image list takes the pictures in image-index order, which is not the row
// order; the first picture loaded (203) sets the image size.
void CCategoryPane::FillImages(const CategoryRows& rows) {
  std::array<int, kCategoryCount> bitmapOfImage{};
  for (const Category& row : rows) {
    if (row.imageIndex >= 0 && row.imageIndex < kCategoryCount) bitmapOfImage[row.imageIndex] = row.smallBitmap;
  }
  for (int image = 0; image < kCategoryCount; ++image) {
    m_bitmaps[image] = res::LoadBitmapResource(bitmapOfImage[image]);
    m_images.Add(FitToImageSize(m_bitmaps[image], m_imageSize));
  }
}

void CCategoryPane::InsertRows(const CategoryRows& rows) {
  for (const Category& row : rows) {
    if (row.name == "Travel") {
      // The column is as wide as "Technology" plus room for the picture (and for
      // the margins this list draws round the picture and the text).
      const int textWidth = GetTextExtent("Technology").x;
      m_fittedWidth = std::max(GetColumnWidth(0), textWidth) + kExtraColumnWidth + kListMargins;
      SetColumnWidth(0, m_fittedWidth);
    }
    const long item = InsertItem(GetItemCount(), wxString::FromUTF8(row.name), row.imageIndex);
    SetItemData(item, 0);
  }
}

int CCategoryPane::SelectedRow() const {
  return static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

int CCategoryPane::RowImage(int row) const {
  wxListItem item;
  item.SetId(row);
  item.SetMask(wxLIST_MASK_IMAGE);
  if (!GetItem(item)) return -1;
  return item.GetImage();
}

wxBitmap CCategoryPane::CategoryBitmap(int imageIndex) const {
  if (imageIndex < 0 || imageIndex >= kCategoryCount) return wxBitmap();
  return m_bitmaps[static_cast<std::size_t>(imageIndex)];
}

// Resting the pointer on a row selects it, so a click then acts on that row.
void CCategoryPane::OnMouseMove(wxMouseEvent& event) {
  int flags = 0;
  const long row = HitTest(event.GetPosition(), flags);
  if (row != wxNOT_FOUND && (flags & wxLIST_HITTEST_ONITEM) &&
      !(GetItemState(row, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED)) {
    SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  }
  event.Skip();
}

}  // namespace sorvane
