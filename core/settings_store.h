#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The user's persisted settings: named values in the one section "Settings",
// numbers or texts. The core only sees this interface; the window program and the
// CLI hand it the same per-user store (the registry on Windows, a config file on
// Linux), and tests an in-memory one. A missing value is never an error: callers
// take the value's default.
//
// Thread rule: not thread-safe; read the values a run needs before it starts.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<long> ReadNumber(std::string_view name) const = 0;
  virtual std::optional<std::string> ReadText(std::string_view name) const = 0;
  virtual void WriteNumber(std::string_view name, long value) = 0;
  virtual void WriteText(std::string_view name, std::string_view value) = 0;
  // Puts what was written on disk; false when that failed.
  virtual bool Flush() { return true; }

  long NumberOr(std::string_view name, long fallback) const { return ReadNumber(name).value_or(fallback); }
  std::string TextOr(std::string_view name, std::string_view fallback) const {
    return ReadText(name).value_or(std::string(fallback));
  }
};

class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<long> ReadNumber(std::string_view name) const override;
  std::optional<std::string> ReadText(std::string_view name) const override;
  void WriteNumber(std::string_view name, long value) override;
  void WriteText(std::string_view name, std::string_view value) override;

 private:
  std::map<std::string, long, std::less<>> numbers_;
  std::map<std::string, std::string, std::less<>> texts_;
};

// How the page fetcher reaches the network: "Connect Method", "Proxy", "Port".
struct ConnectionSettings {
  static constexpr int kSystemSettings = 0;
  static constexpr int kDirect = 1;
  static constexpr int kNamedProxy = 3;

  int connectMethod = kDirect;
  std::string proxy;
  std::string port;
};

ConnectionSettings ReadConnectionSettings(const SettingsStore& store);
void WriteConnectionSettings(SettingsStore& store, const ConnectionSettings& settings);

}  // namespace sorvane
