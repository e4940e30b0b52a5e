#include "shell/choice_reselect.h"

#include <wx/choice.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>

#include <cstdlib>
#endif

namespace sorvane {

#ifdef __WXGTK__

namespace {

// A GTK combo box shows its list as a menu whose items, when activated, report
// their row through the menu's "menu-activate" signal, even when that row is
// already the active one (then the combo box itself reports no change). The
// row shown when the list opened tells a repeated choice from a new one.
struct ReselectWatch {
  wxChoice* choice = nullptr;
  std::function<void()> onChosenAgain;
  int shownRow = -1;
};

const char kWatchKey[] = "sorvane-reselect-watch";
const char kConnectedKey[] = "sorvane-reselect-connected";

void OnMenuActivate(GtkWidget*, const gchar* path, gpointer data) {
  auto* watch = static_cast<ReselectWatch*>(data);
  if (path == nullptr || watch->shownRow < 0) return;
  // The list is flat, so the row's path is its number.
  if (std::atoi(path) != watch->shownRow) return;
  // After the menu has closed and the combo box has finished with the click;
  // dropped with the choice if it is destroyed first.
  watch->choice->CallAfter([watch] { watch->onChosenAgain(); });
}

// The menu the combo box shows its list in; made anew when the theme changes
// how the list is shown, hence looked up every time the list opens.
void WatchMenusOf(GtkWidget* combo, ReselectWatch* watch) {
  for (GList* item = gtk_menu_get_for_attach_widget(combo); item != nullptr; item = item->next) {
    GObject* menu = G_OBJECT(item->data);
    if (g_object_get_data(menu, kConnectedKey) != nullptr) continue;
    if (g_signal_lookup("menu-activate", G_OBJECT_TYPE(menu)) == 0) continue;
    g_signal_connect(menu, "menu-activate", G_CALLBACK(OnMenuActivate), watch);
    g_object_set_data(menu, kConnectedKey, watch);
  }
}

void OnPopupShown(GObject* object, GParamSpec*, gpointer data) {
  auto* watch = static_cast<ReselectWatch*>(data);
  gboolean shown = FALSE;
  g_object_get(object, "popup-shown", &shown, nullptr);
  if (!shown) return;
  watch->shownRow = gtk_combo_box_get_active(GTK_COMBO_BOX(object));
  WatchMenusOf(GTK_WIDGET(object), watch);
}

void DeleteWatch(gpointer data) { delete static_cast<ReselectWatch*>(data); }

}  // namespace

void CallWhenShownEntryIsChosenAgain(wxChoice& choice, std::function<void()> onChosenAgain) {
  GtkWidget* combo = choice.GetHandle();
  if (combo == nullptr || !GTK_IS_COMBO_BOX(combo)) return;
  auto* watch = new ReselectWatch{&choice, std::move(onChosenAgain), -1};
  // Owned by the combo box, so it lives exactly as long as the signals using it.
  g_object_set_data_full(G_OBJECT(combo), kWatchKey, watch, DeleteWatch);
  g_signal_connect(combo, "notify::popup-shown", G_CALLBACK(OnPopupShown), watch);
}

bool IsChoiceListOpen(const wxChoice& choice) {
  GtkWidget* combo = choice.GetHandle();
  if (combo == nullptr || !GTK_IS_COMBO_BOX(combo)) return false;
  gboolean shown = FALSE;
  g_object_get(G_OBJECT(combo), "popup-shown", &shown, nullptr);
  return shown != FALSE;
}

#else

void CallWhenShownEntryIsChosenAgain(wxChoice&, std::function<void()>) {}

bool IsChoiceListOpen(const wxChoice&) { return false; }

#endif

}  // namespace sorvane
