#include "core/settings_store.h"

namespace sorvane {

std::optional<long> MemorySettingsStore::ReadNumber(std::string_view name) const {
  const auto found = numbers_.find(name);
  if (found == numbers_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> MemorySettingsStore::ReadText(std::string_view name) const {
  const auto found = texts_.find(name);
  if (found == texts_.end()) return std::nullopt;
  return found->second;
}

void MemorySettingsStore::WriteNumber(std::string_view name, long value) {
  numbers_.insert_or_assign(std::string(name), value);
}

void MemorySettingsStore::WriteText(std::string_view name, std::string_view value) {
  texts_.insert_or_assign(std::string(name), std::string(value));
}

ConnectionSettings ReadConnectionSettings(const SettingsStore& store) {
  ConnectionSettings settings;
  settings.connectMethod = static_cast<int>(store.NumberOr("Connect Method", ConnectionSettings::kDirect));
  settings.proxy = store.TextOr("Proxy", "");
  settings.port = store.TextOr("Port", "");
  return settings;
}

void WriteConnectionSettings(SettingsStore& store, const ConnectionSettings& settings) {
  store.WriteNumber("Connect Method", settings.connectMethod);
  store.WriteText("Proxy", settings.proxy);
  store.WriteText("Port", settings.port);
}

}  // namespace sorvane
