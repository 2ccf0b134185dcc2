#pragma once

#include <climits>

// A regular file replaced whole: written to a temporary beside it, in its
// own folder, and renamed over its name once complete, so that the name
// holds the previous file until then and the new one after, never a part of
// one. Where the file system allows, the temporary has no name while it is
// written (O_TMPFILE), so that nothing of it outlives the process, even one
// killed by SIGKILL; elsewhere it has a hidden name, ".<file>.XXXXXX",
// which the program removes when it ends early.
//
// Renaming would change what a user relies on in some cases, and the file
// is then written in place, as a shell's > writes it: a file that is not
// regular (a FIFO, /dev/null, a terminal), a regular file with more than
// one name (its other names keep sharing it), a mount point, a file that is
// append-only or immutable or that the program may not write (opening it
// then says why), a file in a folder where no new file can be made, and one
// whose owner or group a new file cannot be given. Symbolic links are
// followed first, as open follows them: the link stays the user's and its
// target gets the new file.

namespace xsin {

struct Temporary {
    int folder = -1;                 // the folder of the file replaced
    int descriptor = -1;             // the temporary, open for writing
    bool replaces = false;           // a file was there when it was made
    char name[NAME_MAX + 1] = "";    // its name in folder; empty while it has none
    char target[NAME_MAX + 1] = "";  // the name of the file it replaces, in folder
};

// A temporary for the file that name leads to, with the mode, owner and
// group of the file it replaces, or a new file's mode where there is none.
// False, having made nothing, when that file is to be written in place.
bool openBeside(const char* name, Temporary& temporary);

// Puts the temporary in place of the file: one without a name is linked
// to the file's name where nothing has taken it, and is otherwise given a
// hidden name first, closed and then renamed over the file; a close that
// fails (a write-back, on NFS) leaves the file as it was. 0, or the errno
// of what failed, the temporary then removed. For a caller that holds the
// signals that end the program, so that none finds the temporary named and
// not yet renamed.
int replaceWith(Temporary& temporary);

// Closes the temporary and removes it, the file left as it was.
// Async-signal-safe.
void discard(Temporary& temporary);

}  // namespace xsin
