#include "output/replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace xsin {

namespace {

// Follows the symbolic links that name leads through, as open does, to the
// name of the file they end at, which need not exist: a relative link from
// the folder of the link, an absolute one from the root. False when they
// cannot be followed (a loop, a name too long, a folder that cannot be
// read).
bool followLinks(const char* name, char (&path)[PATH_MAX]) {
    if (std::strlen(name) >= sizeof path) {
        return false;
    }
    std::strcpy(path, name);
    for (int hops = 0; hops < 40; ++hops) {  // the kernel's own limit
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path, target, sizeof target);
        if (length < 0) {
            return errno == EINVAL || errno == ENOENT;  // not a link, or nothing there yet
        }
        if (static_cast<std::size_t>(length) == sizeof target) {
            return false;
        }
        target[length] = '\0';
        const char* slash = std::strrchr(path, '/');
        const std::size_t folder =
            target[0] == '/' || slash == nullptr ? 0 : static_cast<std::size_t>(slash - path) + 1;
        if (folder + static_cast<std::size_t>(length) >= sizeof path) {
            return false;
        }
        std::memcpy(path + folder, target, static_cast<std::size_t>(length) + 1);
    }
    return false;
}

// Whether the file at path may be replaced by a new one, with previous set
// to whether there is a file there, and its status: a file that is not
// there, or a regular file of one name that is neither a mount point nor
// append-only or immutable and that the program may write.
bool replaceable(const char* path, struct statx& status, bool& previous) {
    previous = ::statx(AT_FDCWD, path, AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS, &status) == 0;
    if (!previous) {
        return errno == ENOENT;
    }
    const std::uint64_t kept = STATX_ATTR_MOUNT_ROOT | STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE;
    return S_ISREG(status.stx_mode) && status.stx_nlink == 1 && (status.stx_attributes & kept) == 0 &&
           ::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) == 0;
}

// A hidden name beside target, ".<target>.XXXXXX" (target cut short where
// the whole would be too long), a different one each time.
void hiddenName(char (&name)[NAME_MAX + 1], const char* target) {
    static std::uint64_t state = 0;
    if (state == 0) {
        timespec now;
        ::clock_gettime(CLOCK_REALTIME, &now);
        state = (static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(::getpid()) << 32)) | 1;
    }
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int suffix = 6;
    const int length = static_cast<int>(std::strlen(target));
    const int kept = length < NAME_MAX - suffix - 2 ? length : NAME_MAX - suffix - 2;
    std::snprintf(name, sizeof name, ".%.*s.", kept, target);
    char* at = name + kept + 2;
    for (int i = 0; i < suffix; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;  // a linear congruential step
        *at++ = letters[(state >> 33) % (sizeof letters - 1)];
    }
    *at = '\0';
}

// Tries hidden names beside target until one that is free is taken.
template <class Take>
int takeHiddenName(char (&name)[NAME_MAX + 1], const char* target, Take take) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        hiddenName(name, target);
        if (take(name) == 0) {
            return 0;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    const int error = errno;
    name[0] = '\0';
    return error;
}

// The path through which a temporary without a name can be given one.
void procPath(char (&path)[32], int descriptor) {
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", descriptor);
}

// A temporary in folder: one without a name where the file system allows it
// and /proc can name it later, otherwise one with a hidden name and no
// access for others until it gets the mode it is for.
int createTemporary(Temporary& temporary, bool previous) {
    int descriptor = ::openat(temporary.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
        char path[32];
        procPath(path, descriptor);
        if (::access(path, F_OK) == 0) {
            return descriptor;
        }
        ::close(descriptor);
        errno = EOPNOTSUPP;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR) {  // EISDIR: a kernel without O_TMPFILE
        return -1;
    }
    descriptor = -1;
    takeHiddenName(temporary.name, temporary.target, [&](const char* name) {
        descriptor = ::openat(temporary.folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, previous ? 0600 : 0666);
        return descriptor >= 0 ? 0 : -1;
    });
    return descriptor;
}

// The temporary given the owner, group and mode of the file it replaces.
bool keepOwnerAndMode(int descriptor, const struct statx& previous) {
    struct stat mine;
    if (::fstat(descriptor, &mine) != 0) {
        return false;
    }
    if ((mine.st_uid != previous.stx_uid || mine.st_gid != previous.stx_gid) &&
        ::fchown(descriptor, previous.stx_uid, previous.stx_gid) != 0) {
        return false;
    }
    const mode_t mode = previous.stx_mode & 07777;
    return (mine.st_mode & 07777) == mode || ::fchmod(descriptor, mode) == 0;
}

}  // namespace

bool openBeside(const char* name, Temporary& temporary) {
    char path[PATH_MAX];
    struct statx status;
    bool& previous = temporary.replaces;
    if (!followLinks(name, path) || !replaceable(path, status, previous)) {
        return false;
    }
    char* slash = std::strrchr(path, '/');
    const char* target = slash == nullptr ? path : slash + 1;
    if (*target == '\0' || std::strlen(target) > NAME_MAX) {
        return false;
    }
    std::strcpy(temporary.target, target);
    const char* folder = slash == nullptr ? "." : slash == path ? "/" : path;
    if (slash != nullptr && slash != path) {
        *slash = '\0';
    }
    temporary.folder = ::open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (temporary.folder >= 0) {
        temporary.descriptor = createTemporary(temporary, previous);
    }
    if (temporary.descriptor < 0 || (previous && !keepOwnerAndMode(temporary.descriptor, status))) {
        discard(temporary);
        return false;
    }
    return true;
}

int replaceWith(Temporary& temporary) {
    int error = 0;
    bool linked = false;
    if (temporary.name[0] == '\0') {
        char path[32];
        procPath(path, temporary.descriptor);
        linked =
            !temporary.replaces && ::linkat(AT_FDCWD, path, temporary.folder, temporary.target, AT_SYMLINK_FOLLOW) == 0;
        if (!linked) {
            error = takeHiddenName(temporary.name, temporary.target, [&](const char* name) {
                return ::linkat(AT_FDCWD, path, temporary.folder, name, AT_SYMLINK_FOLLOW);
            });
        }
    }
    if (::close(temporary.descriptor) != 0 && error == 0) {
        error = errno;
    }
    temporary.descriptor = -1;
    if (linked && error != 0) {
        ::unlinkat(temporary.folder, temporary.target, 0);
    }
    if (!linked && error == 0 &&
        ::renameat(temporary.folder, temporary.name, temporary.folder, temporary.target) != 0) {
        error = errno;
    }
    if (error == 0) {
        temporary.name[0] = '\0';
    }
    discard(temporary);
    return error;
}

void discard(Temporary& temporary) {
    if (temporary.descriptor >= 0) {
        ::close(temporary.descriptor);
        temporary.descriptor = -1;
    }
    if (temporary.name[0] != '\0') {
        ::unlinkat(temporary.folder, temporary.name, 0);
        temporary.name[0] = '\0';
    }
    if (temporary.folder >= 0) {
        ::close(temporary.folder);
        temporary.folder = -1;
    }
}

}  // namespace xsin
