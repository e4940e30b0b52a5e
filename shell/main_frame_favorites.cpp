// The Favorites menu: the user's shortcut tree, built once at start.
#include <wx/menu.h>
#include <wx/utils.h>

#include "res/resource_ids.h"
#include "shell/favorites_builder.h"
#include "shell/main_frame.h"

namespace sorvane {

namespace {

// The builder's menu interface over a toolkit menu.
class WxFavoritesMenu final : public FavoritesMenu {
 public:
  // `owned` for popups the builder creates; the frame's own popup is not.
  WxFavoritesMenu(wxMenu* menu, bool owned) : m_menu(menu), m_owned(owned) {}
  ~WxFavoritesMenu() override {
    if (m_owned) delete m_menu;
  }

  void AppendEntry(const std::string& label, int commandId) override {
    // '&' in a shortcut's name is shown, not taken as a mnemonic.
    wxString text = wxString::FromUTF8(label);
    text.Replace("&", "&&");
    // Entries past the last Favorites id have no command and show disabled.
    if (commandId > ids::ID_FAVORITE_LAST) {
      m_menu->Append(wxID_ANY, text)->Enable(false);
    } else {
      m_menu->Append(commandId, text);
    }
  }

  std::unique_ptr<FavoritesMenu> CreatePopup() override {
    return std::make_unique<WxFavoritesMenu>(new wxMenu, true);
  }

  void InsertPopup(std::size_t position, std::unique_ptr<FavoritesMenu> popup, const std::string& name) override {
    auto& child = static_cast<WxFavoritesMenu&>(*popup);
    wxString text = wxString::FromUTF8(name);
    text.Replace("&", "&&");
    m_menu->Insert(position, wxID_ANY, text, child.m_menu);
    child.m_owned = false;  // the parent menu has it now
  }

 private:
  wxMenu* m_menu;
  bool m_owned;
};

}  // namespace

void CMainFrame::FillFavoritesMenu() {
  wxMenu* popup = FavoritesPopup();
  if (!popup || m_options.favoritesFolder.empty()) return;
  wxBusyCursor wait;
  WxFavoritesMenu menu(popup, false);
  FileSystemFavoritesListing listing;
  FileShortcutReader reader;
  BuildFavoritesMenu(m_options.favoritesFolder, 0, menu, m_favoriteUrls, listing, reader);
}

void CMainFrame::OnFavorite(wxCommandEvent& event) {
  const std::size_t index = static_cast<std::size_t>(event.GetId() - ids::ID_FAVORITE_FIRST);
  if (index < m_favoriteUrls.size()) NavigateTo(wxString::FromUTF8(m_favoriteUrls[index]));
}

}  // namespace sorvane
