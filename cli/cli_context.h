#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "core/category.h"
#include "core/engine_list.h"

namespace sorvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // something failed while running
inline constexpr int kExitUsage = 2;    // bad call, or an unknown engine or category

// What every command shares: where the program folder is and the store in it.
class CliContext {
 public:
  CliContext(std::optional<std::filesystem::path> homeOption, std::ostream& out, std::ostream& err)
      : homeOption_(std::move(homeOption)), out_(out), err_(err) {}

  // The folder that counts as this program's own when the program folder is
  // chosen, for the network helper, which runs on behalf of sorvane-cli.
  void SetLauncherFolder(std::filesystem::path folder) { launcherFolder_ = std::move(folder); }

  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }

  const std::filesystem::path& ProgramFolder();
  // engines.dat and categories.dat, loaded on first use.
  const EngineList& Engines();
  const CategoryRows& Categories();

  // "sorvane-cli: <message>" on the error stream.
  void ReportError(std::string_view message);

 private:
  void LoadStoreOnce();

  std::optional<std::filesystem::path> homeOption_;
  std::optional<std::filesystem::path> launcherFolder_;
  std::optional<std::filesystem::path> folder_;
  bool storeLoaded_ = false;
  EngineList engines_;
  CategoryRows categories_ = DefaultCategoryRows();
  std::ostream& out_;
  std::ostream& err_;
};

// The engine named exactly `name`, or a usage error (unknown names exit with 2).
EnginePtr RequireEngine(CliContext& context, std::string_view name);
// Checks that `name` is exactly one of the 22 category names.
void RequireCategory(CliContext& context, std::string_view name);

}  // namespace sorvane::cli
