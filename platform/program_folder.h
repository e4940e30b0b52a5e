#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/default_files.h"

namespace sorvane {

// Everything that decides where the program folder is, gathered so that the choice
// itself can be tested without touching the real environment.
struct ProgramFolderInputs {
  std::optional<std::filesystem::path> homeOption;  // --home DIR
  std::optional<std::string> homeVariable;          // SORVANE_HOME
  std::filesystem::path executableFolder;           // folder of the running program
  std::filesystem::path userDataFolder;             // $XDG_DATA_HOME/sorvane or the like
  // Folders holding the installed default files that seed a new per-user folder.
  std::vector<std::filesystem::path> defaultsFolders;
  // The default files compiled into the program: whatever folder is chosen is
  // given those it lacks.
  std::span<const DefaultFile> builtInDefaults;
};

// The folder that holds engines.dat, categories.dat, the results page and the
// saved searches. In order: --home, SORVANE_HOME, the program's own folder when it
// holds engines.dat and may be written (a portable install or the build tree),
// otherwise the per-user data folder, created and seeded on first use with the
// installed default files it does not have yet. Then the chosen folder is made
// when missing and given the built-in defaults it still lacks (a new --home
// folder, a binary copied on its own), never overwriting a file.
std::filesystem::path ResolveProgramFolder(const ProgramFolderInputs& inputs);

// The inputs as this process sees them: environment, executable path, the
// platform's per-user data folder and the installed defaults. `executableFolder`
// stands in for the running program's folder when one program runs on behalf of
// another (the CLI's network helper).
ProgramFolderInputs CurrentProgramFolderInputs(std::optional<std::filesystem::path> homeOption,
                                               std::optional<std::filesystem::path> executableFolder = std::nullopt);

// Folder of the running executable (Linux: /proc/self/exe), or the current folder.
std::filesystem::path ExecutableFolder();

}  // namespace sorvane
