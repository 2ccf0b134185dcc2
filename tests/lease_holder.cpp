// Holds a read lease on a file, as Samba and the kernel's NFS server take
// them, until another process opens the file for writing: then it gives
// the lease up, as they do, and exits. Once the lease is held it creates
// the file "leased" beside it, for the test to wait on.
//   lease_holder FILE

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace {

int leased = -1;

extern "C" void onBreak(int) {
    fcntl(leased, F_SETLEASE, F_UNLCK);
    _exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lease_holder FILE\n");
        return 2;
    }
    leased = open(argv[1], O_RDONLY);
    std::signal(SIGIO, onBreak);  // the kernel asks for the lease back with SIGIO
    if (leased < 0 || fcntl(leased, F_SETLEASE, F_RDLCK) != 0) {
        std::perror("lease_holder");
        return 1;
    }
    close(open("leased", O_WRONLY | O_CREAT, 0644));
    sleep(30);  // nobody came
    return 1;
}
