#include "res/standard_ids.h"

#include <wx/defs.h>

#include "res/resource_ids.h"

namespace sorvane::res {

namespace {

struct IdPair {
  int program;
  int toolkit;
};

constexpr IdPair kStandardIds[] = {
    {ids::IDOK, wxID_OK},
    {ids::ID_FILE_NEW, wxID_NEW},
    {ids::ID_FILE_OPEN, wxID_OPEN},
    {ids::ID_FILE_SAVE, wxID_SAVE},
    {ids::ID_FILE_PRINT, wxID_PRINT},
    {ids::ID_EDIT_COPY, wxID_COPY},
    {ids::ID_EDIT_CUT, wxID_CUT},
    {ids::ID_EDIT_PASTE, wxID_PASTE},
    {ids::ID_EDIT_UNDO, wxID_UNDO},
    {ids::ID_APP_ABOUT, wxID_ABOUT},
    {ids::ID_APP_EXIT, wxID_EXIT},
};

}  // namespace

int ToWxId(int programId) {
  for (const IdPair& pair : kStandardIds) {
    if (pair.program == programId) return pair.toolkit;
  }
  return programId;
}

int FromWxId(int wxId) {
  for (const IdPair& pair : kStandardIds) {
    if (pair.toolkit == wxId) return pair.program;
  }
  return wxId;
}

}  // namespace sorvane::res
