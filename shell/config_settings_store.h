#pragma once

#include <filesystem>
#include <memory>

#include "core/settings_store.h"

class wxConfigBase;

namespace sorvane {

// The per-user settings store shared by the window program and the CLI, on
// wxWidgets' config classes: the registry key HKCU\Software\Tarnwell\sorvane on
// Windows, an INI-style file on Linux ($XDG_CONFIG_HOME/sorvane.conf, normally
// ~/.config/sorvane.conf). Every value lives in the section "Settings".
// Needs only wxWidgets' base library, so the CLI can link it without a GUI.
class ConfigSettingsStore final : public SettingsStore {
 public:
  // The user's own store.
  ConfigSettingsStore();
  // A store in the given file (tests, and Linux where the path is ours to choose).
  explicit ConfigSettingsStore(const std::filesystem::path& file);
  ~ConfigSettingsStore() override;

  std::optional<long> ReadNumber(std::string_view name) const override;
  std::optional<std::string> ReadText(std::string_view name) const override;
  void WriteNumber(std::string_view name, long value) override;
  void WriteText(std::string_view name, std::string_view value) override;
  bool Flush() override;

  // Where the Linux store lives: $XDG_CONFIG_HOME/sorvane.conf or ~/.config/sorvane.conf.
  static std::filesystem::path DefaultFile();

 private:
  std::unique_ptr<wxConfigBase> config_;
};

}  // namespace sorvane
