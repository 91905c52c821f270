// evict_files FILE...: drops the files' pages from the page cache, so that
// the next reader finds them on the disk only, as after a reboot. Needs no
// privileges: POSIX_FADV_DONTNEED drops clean pages of any file one may read;
// written pages are made clean first.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    const int fd = open(argv[i], O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 || fdatasync(fd) != 0 || posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0) {
      std::perror(argv[i]);
      status = 1;
    }
    if (fd >= 0) close(fd);
  }
  return status;
}
