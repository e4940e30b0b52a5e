#include "dialogs/connection_choice.h"

namespace sorvane {

namespace {

std::string_view TrimWhiteSpace(std::string_view text) {
  constexpr std::string_view kWhiteSpace = " \t\r\n\f\v";
  const auto first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

}  // namespace

int ConnectOptionIndex(int method) {
  switch (method) {
    case ConnectionSettings::kDirect:
      return 1;
    case ConnectionSettings::kNamedProxy:
      return 2;
    default:
      return 0;
  }
}

int ConnectMethodOfOption(int optionIndex) {
  switch (optionIndex) {
    case 1:
      return ConnectionSettings::kDirect;
    case 2:
      return ConnectionSettings::kNamedProxy;
    default:
      return ConnectionSettings::kSystemSettings;
  }
}

std::optional<ConnectionSettings> ConnectionToStore(int method, std::string_view proxy, std::string_view port) {
  ConnectionSettings settings;
  settings.connectMethod = method;
  if (method == ConnectionSettings::kNamedProxy) {
    proxy = TrimWhiteSpace(proxy);
    port = TrimWhiteSpace(port);
    if (proxy.empty()) return std::nullopt;
  }
  settings.proxy = std::string(proxy);
  settings.port = std::string(port);
  return settings;
}

}  // namespace sorvane
