#include "shell/shell_open_messages.h"

#include <cctype>

namespace sorvane {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string_view OpenWithShellMessage(int result) {
  switch (result) {
    case 0: return "The operating system is out of memory or resources.";
    case 2:
    case 3:
    case 27: return "It seems that your default Web browser is not properly set up.";
    case 5: return "The operating system denied access to the specified file. ";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
    case 28: return "The DDE transaction could not be completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30: return "The DDE transaction could not be completed because other DDE transactions were being processed.";
    case 31: return "There is no application associated with the given filename extension.";
    case 32: return "The specified dynamic-link library was not found. ";
    default: return {};
  }
}

std::string_view OpenRowMessage(int result) {
  const std::string_view listed = OpenWithShellMessage(result);
  if (!listed.empty() || result > 32) return listed;
  return "You do not have a program set up to view this file.";
}

int LaunchResultCode(bool launched, bool isWebAddress, bool localFileExists) {
  if (launched) return kShellOpenSucceeded;
  if (isWebAddress) return kShellFileNotFound;
  return localFileExists ? kShellNoAssociation : kShellFileNotFound;
}

bool IsWebAddress(std::string_view address) {
  for (std::string_view prefix : {"http:", "https:", "ftp:", "mailto:", "file:", "www."}) {
    if (StartsWithIgnoringCase(address, prefix)) return true;
  }
  return false;
}

}  // namespace sorvane
