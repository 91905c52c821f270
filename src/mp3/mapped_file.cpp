#include "mp3/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick {

MappedFile::~MappedFile() {
  if (map_ != nullptr) munmap(map_, size_);
}

int MappedFile::Open(const std::string& path) {
  // O_NONBLOCK keeps a FIFO without a writer from blocking the open; it does
  // nothing to regular files.
  int fd;
  do {
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  const int error = MapDescriptor(fd);
  close(fd);
  return error;
}

int MappedFile::MapDescriptor(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return errno;
  identity_ = IdentityOf(st);
  if (S_ISDIR(st.st_mode)) return EISDIR;
  // An empty file (and anything that reports no size) has nothing to map.
  if (st.st_size <= 0) return 0;
  void* map = mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  if (map == MAP_FAILED) return errno;
  // The walk reads the file once from start to end: the kernel reads ahead
  // further, and the unmapping leaves the pages as they are instead of marking
  // each one used again, which costs a lock per page and would have a walk
  // over a whole collection push everything else out of the page cache.
  madvise(map, static_cast<std::size_t>(st.st_size), MADV_SEQUENTIAL);
  map_ = map;
  size_ = static_cast<std::size_t>(st.st_size);
  return 0;
}

}  // namespace tarnwick
