#include "platform/program_folder.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "platform/file_io.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

const char* kMarkerFile = "engines.dat";
// The help book is read where it was installed (HelpBookCandidates): a copy in
// the user's folder would only go stale with the next version.
const char* kNotSeeded = "sorvane.htb";

bool IsWritableFolder(const fs::path& folder) {
#ifdef _WIN32
  return _waccess(folder.c_str(), 2) == 0;
#else
  return ::access(folder.c_str(), W_OK) == 0;
#endif
}

void SeedFromDefaults(const fs::path& target, const std::vector<fs::path>& defaultsFolders) {
  std::error_code error;
  for (const fs::path& defaults : defaultsFolders) {
    if (!fs::is_regular_file(defaults / kMarkerFile, error)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(defaults, error)) {
      if (!entry.is_regular_file(error) || entry.path().filename() == kNotSeeded) continue;
      const fs::path destination = target / entry.path().filename();
      if (fs::exists(destination, error)) continue;  // never overwrite the user's own files
      // Whole or not at all: a copy cut short would count as the user's file.
      if (const std::optional<std::string> bytes = ReadWholeFile(entry.path()))
        CreateFileAtomically(destination, *bytes);
    }
    return;
  }
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

fs::path ChooseProgramFolder(const ProgramFolderInputs& inputs) {
  if (inputs.homeOption) return *inputs.homeOption;
  if (inputs.homeVariable) return fs::path(*inputs.homeVariable);

  std::error_code error;
  if (!inputs.executableFolder.empty() &&
      fs::is_regular_file(inputs.executableFolder / kMarkerFile, error) &&
      IsWritableFolder(inputs.executableFolder)) {
    return inputs.executableFolder;
  }

  fs::create_directories(inputs.userDataFolder, error);
  SeedFromDefaults(inputs.userDataFolder, inputs.defaultsFolders);
  return inputs.userDataFolder;
}

}  // namespace

void AddMissingDefaultFiles(const fs::path& folder, std::span<const DefaultFile> files) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return;
  for (const DefaultFile& file : files) {
    const fs::path destination = folder / fs::path(std::string(file.name));
    // symlink_status: a dangling link is the user's too, not a gap to fill.
    if (fs::symlink_status(destination, error).type() != fs::file_type::not_found) continue;
    CreateFileAtomically(destination, std::string_view(reinterpret_cast<const char*>(file.data), file.size));
  }
}

fs::path ResolveProgramFolder(const ProgramFolderInputs& inputs) {
  fs::path folder = ChooseProgramFolder(inputs);
  // A folder named with --home or SORVANE_HOME that is not there yet is made,
  // as the per-user folder is: without it nothing could be saved.
  std::error_code error;
  fs::create_directories(folder, error);
  AddMissingDefaultFiles(folder, inputs.builtInDefaults);
  return folder;
}

fs::path ExecutableFolder() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  if (length == 0) return fs::current_path();
  return fs::path(std::wstring(buffer, length)).parent_path();
#else
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return fs::current_path(error);
  return self.parent_path();
#endif
}

ProgramFolderInputs CurrentProgramFolderInputs(std::optional<fs::path> homeOption,
                                               std::optional<fs::path> executableFolder) {
  ProgramFolderInputs inputs;
  inputs.homeOption = std::move(homeOption);
  inputs.homeVariable = Environment("SORVANE_HOME");
  inputs.executableFolder = executableFolder ? std::move(*executableFolder) : ExecutableFolder();
#ifdef _WIN32
  if (auto appData = Environment("APPDATA")) {
    inputs.userDataFolder = fs::path(*appData) / "sorvane";
  } else {
    inputs.userDataFolder = inputs.executableFolder;
  }
#else
  if (auto dataHome = Environment("XDG_DATA_HOME")) {
    inputs.userDataFolder = fs::path(*dataHome) / "sorvane";
  } else if (auto home = Environment("HOME")) {
    inputs.userDataFolder = fs::path(*home) / ".local" / "share" / "sorvane";
  } else {
    inputs.userDataFolder = fs::current_path() / "sorvane";
  }
#endif
  inputs.defaultsFolders.push_back(inputs.executableFolder / ".." / "share" / "sorvane");
#ifdef SORVANE_INSTALLED_DATADIR
  inputs.defaultsFolders.push_back(fs::path(SORVANE_INSTALLED_DATADIR));
#endif
  inputs.builtInDefaults = BuiltInDefaultFiles();
  return inputs;
}

}  // namespace sorvane
