#include "shell/config_settings_store.h"

#include <wx/fileconf.h>
#include <wx/string.h>
#ifdef __WXMSW__
#include <wx/msw/regconf.h>
#endif

#include <cstdlib>
#include <system_error>

namespace sorvane {

namespace {

constexpr const char* kVendor = "Tarnwell";
constexpr const char* kApplication = "sorvane";
constexpr const char* kSection = "/Settings";

wxString ToWx(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

std::unique_ptr<wxConfigBase> OpenFileConfig(const std::filesystem::path& file) {
  std::error_code ignored;
  // wx does not create the folder of its file.
  std::filesystem::create_directories(file.parent_path(), ignored);
  auto config = std::make_unique<wxFileConfig>(kApplication, kVendor, ToWx(file.string()), wxString(),
                                               wxCONFIG_USE_LOCAL_FILE);
  config->SetPath(kSection);
  return config;
}

}  // namespace

std::filesystem::path ConfigSettingsStore::DefaultFile() {
  if (const char* configHome = std::getenv("XDG_CONFIG_HOME"); configHome && *configHome) {
    return std::filesystem::path(configHome) / "sorvane.conf";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".config" / "sorvane.conf";
  }
  return std::filesystem::current_path() / "sorvane.conf";
}

ConfigSettingsStore::ConfigSettingsStore() {
#ifdef __WXMSW__
  config_ = std::make_unique<wxRegConfig>(kApplication, kVendor);
  config_->SetPath(kSection);
#else
  config_ = OpenFileConfig(DefaultFile());
#endif
}

ConfigSettingsStore::ConfigSettingsStore(const std::filesystem::path& file) : config_(OpenFileConfig(file)) {}

ConfigSettingsStore::~ConfigSettingsStore() {
  if (config_) config_->Flush();
}

std::optional<long> ConfigSettingsStore::ReadNumber(std::string_view name) const {
  long value = 0;
  if (!config_->Read(ToWx(name), &value)) return std::nullopt;
  return value;
}

std::optional<std::string> ConfigSettingsStore::ReadText(std::string_view name) const {
  wxString value;
  if (!config_->Read(ToWx(name), &value)) return std::nullopt;
  const wxScopedCharBuffer utf8 = value.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

void ConfigSettingsStore::WriteNumber(std::string_view name, long value) { config_->Write(ToWx(name), value); }

void ConfigSettingsStore::WriteText(std::string_view name, std::string_view value) {
  config_->Write(ToWx(name), ToWx(value));
}

bool ConfigSettingsStore::Flush() { return config_->Flush(); }

}  // namespace sorvane
