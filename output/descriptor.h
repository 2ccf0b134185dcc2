#pragma once

#include <sys/types.h>

#include <cstddef>

// Descriptors of output files: opening one as a shell's > does, writing all
// of a buffer to it, and which file it is.

namespace xsin {

// open(name, "w"): created, or emptied in place if it exists (its mode,
// owner and links stay). A FIFO without a reader fails at once with ENXIO
// instead of blocking until one comes. A file under another process's
// lease (Samba's, the NFS server's) refuses a non-blocking open with
// EWOULDBLOCK, having asked that process to give it up: it is opened again,
// blocking until the lease is broken, as a shell's redirection waits, with
// no signal held meanwhile. Once open, writes block as usual. -1, with
// errno set, when it cannot be opened.
int openForWriting(const char* name);

// Writes all of data: a write interrupted by a signal is tried again, and a
// short one completed. 0, or the errno of the write that failed.
// Async-signal-safe.
int writeAll(int descriptor, const char* data, std::size_t size);

// A file as the kernel knows it, whatever name it is reached by.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool regular = false;  // a regular file, not a FIFO, a device, a directory
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

// What an open descriptor, or a name (its symbolic links followed), refers
// to; false when it refers to nothing.
bool identify(int descriptor, FileIdentity& identity);
bool identify(const char* name, FileIdentity& identity);

}  // namespace xsin
