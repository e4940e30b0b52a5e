#include "res/menu_builder.h"

#include <wx/accel.h>
#include <wx/menu.h>

#include "res/standard_ids.h"

namespace sorvane::res {

namespace {

wxString ToWx(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

void AppendEntries(wxMenu& menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntry::Kind::Separator:
        menu.AppendSeparator();
        break;
      case MenuEntry::Kind::Popup:
        menu.AppendSubMenu(BuildMenu(entry.children), ToWx(entry.text));
        break;
      case MenuEntry::Kind::Command:
      case MenuEntry::Kind::Check:
        menu.Append(ToWxId(entry.id), ToWx(entry.text), ToWx(CommandPrompt(entry.id)),
                    entry.kind == MenuEntry::Kind::Check ? wxITEM_CHECK : wxITEM_NORMAL);
        break;
    }
  }
}

int ToWxKey(int key) {
  switch (key) {
    case Accelerator::Insert: return WXK_INSERT;
    case Accelerator::Delete: return WXK_DELETE;
    case Accelerator::Backspace: return WXK_BACK;
    case Accelerator::F1: return WXK_F1;
    case Accelerator::F6: return WXK_F6;
    default: return key;
  }
}

}  // namespace

wxMenu* BuildMenu(const std::vector<MenuEntry>& entries) {
  auto* menu = new wxMenu;
  AppendEntries(*menu, entries);
  return menu;
}

wxMenuBar* BuildMenuBar(const std::vector<MenuEntry>& popups) {
  auto* bar = new wxMenuBar;
  for (const MenuEntry& popup : popups) bar->Append(BuildMenu(popup.children), ToWx(popup.text));
  return bar;
}

wxAcceleratorTable BuildAcceleratorTable(const std::vector<Accelerator>& entries) {
  std::vector<wxAcceleratorEntry> table;
  for (const Accelerator& entry : entries) {
    int flags = wxACCEL_NORMAL;
    if (entry.ctrl) flags |= wxACCEL_CTRL;
    if (entry.shift) flags |= wxACCEL_SHIFT;
    if (entry.alt) flags |= wxACCEL_ALT;
    table.emplace_back(flags, ToWxKey(entry.key), ToWxId(entry.command));
  }
  return wxAcceleratorTable(static_cast<int>(table.size()), table.data());
}

}  // namespace sorvane::res
