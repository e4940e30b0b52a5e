#include "cli/cli_context.h"

#include <ostream>

#include "cli/argument_cursor.h"
#include "core/engine_store.h"
#include "platform/program_folder.h"

namespace sorvane::cli {

const std::filesystem::path& CliContext::ProgramFolder() {
  if (!folder_) folder_ = ResolveProgramFolder(CurrentProgramFolderInputs(homeOption_, launcherFolder_));
  return *folder_;
}

void CliContext::LoadStoreOnce() {
  if (storeLoaded_) return;
  LoadEngineStore(ProgramFolder(), engines_, categories_);
  storeLoaded_ = true;
}

const EngineList& CliContext::Engines() {
  LoadStoreOnce();
  return engines_;
}

const CategoryRows& CliContext::Categories() {
  LoadStoreOnce();
  return categories_;
}

void CliContext::ReportError(std::string_view message) { err_ << "sorvane-cli: " << message << '\n'; }

EnginePtr RequireEngine(CliContext& context, std::string_view name) {
  EnginePtr engine = FindEngine(context.Engines(), name);
  if (!engine) {
    throw UsageError("no engine named '" + std::string(name) + "' in " +
                     (context.ProgramFolder() / "engines.dat").string());
  }
  return engine;
}

void RequireCategory(CliContext& context, std::string_view name) {
  if (FindCategoryRow(context.Categories(), name) < 0) {
    throw UsageError("no category named '" + std::string(name) +
                     "' (see 'sorvane-cli categories' for the names)");
  }
}

}  // namespace sorvane::cli
