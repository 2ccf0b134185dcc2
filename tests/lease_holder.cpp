// Holds a read lease on a file, as Samba and the kernel's NFS server take
// them, until another process opens the file for writing: then it gives
// the lease up, as they do, and exits; or, with --stalled, as a holder that
// does not answer, keeps it until the kernel breaks it (lease-break-time,
// 45 seconds). Once the lease is held it creates the file "leased" beside
// it, for the test to wait on.
//   lease_holder [--stalled] FILE

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

namespace {

int leased = -1;

extern "C" void onBreak(int) {
    fcntl(leased, F_SETLEASE, F_UNLCK);
    _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    const bool stalled = argc == 3 && std::string(argv[1]) == "--stalled";
    if (argc != 2 && !stalled) {
        std::fprintf(stderr, "usage: lease_holder [--stalled] FILE\n");
        return 2;
    }
    leased = open(argv[argc - 1], O_RDONLY);
    // The kernel asks for the lease back with SIGIO.
    std::signal(SIGIO, stalled ? SIG_IGN : onBreak);
    if (leased < 0 || fcntl(leased, F_SETLEASE, F_RDLCK) != 0) {
        std::perror("lease_holder");
        return 1;
    }
    close(open("leased", O_WRONLY | O_CREAT, 0644));
    sleep(30);  // nobody came
    return 1;
}
