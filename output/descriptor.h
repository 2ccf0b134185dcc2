#pragma once

#include <sys/stat.h>
#include <sys/types.h>

// Descriptors of output files: opening one in place as a shell's > does,
// and which file it is.

namespace xsin {

// open(name, "w") in place: created, or emptied if it exists (its mode,
// owner and links stay), without waiting. A FIFO without a reader fails at
// once with ENXIO instead of blocking until one comes. A file under another
// process's lease (Samba's, the NFS server's) fails with EWOULDBLOCK, the
// lease holder having been asked to give it up: waitForLease then waits for
// it. Once open, writes block as usual. -1, with errno set, when it cannot
// be opened.
int openInPlace(const char* name);

// Opens name for writing once the lease on it is given up, as a shell's
// redirection waits, without emptying it: emptying it is left to the caller,
// which can then hold the signals that end the program while it does. A
// signal that is handled ends the wait only when its handler ends the
// program. -1, with errno set, when it cannot be opened.
int waitForLease(const char* name);

// A file as the kernel knows it, whatever name it is reached by.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t type = 0;  // its S_IFMT bits: a regular file, a FIFO, a device, ...

    bool regular() const { return S_ISREG(type); }
    // A file that two outputs written to it would mix in: a regular file or
    // a FIFO (a pipe), not a device such as /dev/null, which mixes nothing.
    bool mixes() const { return S_ISREG(type) || S_ISFIFO(type); }
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

// What an open descriptor, or a name (its symbolic links followed), refers
// to; false when it refers to nothing.
bool identify(int descriptor, FileIdentity& identity);
bool identify(const char* name, FileIdentity& identity);

}  // namespace xsin
