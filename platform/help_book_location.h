#pragma once

#include <filesystem>
#include <vector>

namespace sorvane {

// Where the help book may lie, best first. The book is part of the program, not
// of the user's data: the copy built or installed with the running program
// (beside it, or in the installed data folders) comes before a copy in the
// program folder, which may be left over from an older version.
//   helpPath         the program folder's help path (…/sorvane.hlp)
//   executableFolder the running program's folder
//   defaultsFolders  the installed data folders (ProgramFolderInputs)
std::vector<std::filesystem::path> HelpBookCandidates(const std::filesystem::path& helpPath,
                                                      const std::filesystem::path& executableFolder,
                                                      const std::vector<std::filesystem::path>& defaultsFolders);

// The first candidate that is a regular file, or the program folder's book (for
// the message that it is missing) when none is.
std::filesystem::path FindHelpBook(const std::vector<std::filesystem::path>& candidates);

// The help path with the HTML help book's extension (sorvane.htb for sorvane.hlp).
std::filesystem::path HelpBookPath(const std::filesystem::path& helpPath);

}  // namespace sorvane
