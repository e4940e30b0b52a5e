#include "shell/live_update.h"

#include <wx/dynlib.h>
#include <wx/log.h>

#include "shell/maker_info.h"

namespace sorvane {

int CallLiveUpdate(const std::filesystem::path& programFolder) {
  using Entry = int (*)(const char*, const char*, const char*);
  wxLogNull quiet;  // a missing component is no error
  const wxString name = wxDynamicLibrary::CanonicalizeName("liveupdate");
  wxDynamicLibrary library;
  if (!library.Load(wxString::FromUTF8((programFolder / name.utf8_string()).string()), wxDL_DEFAULT | wxDL_QUIET) &&
      !library.Load(name, wxDL_DEFAULT | wxDL_QUIET)) {
    return 0;
  }
  void* symbol = library.GetSymbol(kLiveUpdateEntry);
  if (!symbol) return 0;
  const auto entry = reinterpret_cast<Entry>(symbol);
  return entry(kProductTitle, kProductVersion, kUpdateServerHost);
}

}  // namespace sorvane
