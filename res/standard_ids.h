#pragma once

// Maps the program's numeric ids onto the toolkit's. The ones the toolkit
// reserves for its standard commands (open, exit, about, print, the edit
// commands, OK) go through one table, so stock handling (the About and Exit
// placement on other platforms) applies to them; the other ids above the
// toolkit's limit for command ids move down as one block; low ids stay as they
// are. Every id handed to the toolkit goes through ToWxId.
namespace sorvane::res {

// The toolkit id for a program id.
int ToWxId(int programId);
// The program id for a toolkit id (the inverse of ToWxId).
int FromWxId(int wxId);

}  // namespace sorvane::res
