#pragma once

#include "output/descriptor.h"

// The regular files this program is writing and has not completed, known
// so that a signal that ends it, or running out of memory, leaves none of
// them behind cut short: a table that looks whole but is not.

namespace xsin {

// From now on name (copied) is partial, open for writing on descriptor,
// which stays open until releasePartial. The place it is held in, or -1
// when more files are being written at once than there are places (it is
// then not removed).
int holdAsPartial(const char* name, int descriptor, const FileIdentity& identity);

// The file in that place is complete, or no longer this program's to remove.
void releasePartial(int place);

// For every partial file: empties it through its descriptor, so that no
// other name of it (a hard link, a symbolic link's target) keeps a part of
// a table, then removes its name where the name is not a symbolic link and
// still refers to the file written; says which on standard error, as
// "<program>: <why>removed partial <file>" or "<program>: <why>emptied
// partial <file>". Async-signal-safe; each file is handled once.
void removePartialFiles(const char* why);

}  // namespace xsin
