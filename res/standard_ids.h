#pragma once

// Maps the program's numeric command ids onto the toolkit's: most ids are used as
// they are, but the ones the toolkit reserves for its standard commands (open,
// exit, about, print, the edit commands, OK) go through one table, so stock
// handling (labels, accelerators, the About and Exit placement on other
// platforms) applies to them.
namespace sorvane::res {

// The toolkit id for a program id.
int ToWxId(int programId);
// The program id for a toolkit id (the inverse of ToWxId).
int FromWxId(int wxId);

}  // namespace sorvane::res
