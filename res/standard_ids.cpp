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

// The toolkit takes command ids below 0x7FFF only, and keeps 4999..5999 for its
// own. The program's high ids (32771 and up) move down as one block to start at
// 6000, above the toolkit's range and above every low program id.
constexpr int kFirstHighId = ids::ID_FILE_PREFERENCES;
constexpr int kLastHighId = 0xFFFF;
constexpr int kMovedBase = 6000;
constexpr int kShift = kFirstHighId - kMovedBase;
static_assert(ids::AFX_IDW_DIALOGBAR - kShift < 0x7FFF, "every moved id must stay a valid command id");

}  // namespace

int ToWxId(int programId) {
  for (const IdPair& pair : kStandardIds) {
    if (pair.program == programId) return pair.toolkit;
  }
  if (programId >= kFirstHighId && programId <= kLastHighId) return programId - kShift;
  return programId;
}

int FromWxId(int wxId) {
  for (const IdPair& pair : kStandardIds) {
    if (pair.toolkit == wxId) return pair.program;
  }
  if (wxId >= kMovedBase && wxId <= kLastHighId - kShift) return wxId + kShift;
  return wxId;
}

}  // namespace sorvane::res
