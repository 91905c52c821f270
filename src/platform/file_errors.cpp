#include "platform/file_errors.h"

#include <string>

namespace tarnwick {
namespace {

class FileErrorCategoryImpl : public std::error_category {
 public:
  const char* name() const noexcept override { return "tarnwick"; }
  std::string message(int value) const override {
    switch (static_cast<FileError>(value)) {
      case FileError::kUnsafeTrashFolder:
        return "the trash folder is a link, not a folder, or belongs to another user";
      case FileError::kFolderUnreachable:
        return "the file's folder can no longer be reached by its path";
      case FileError::kChanged: return "changed since it was analysed";
      case FileError::kNotRegularFile: return "not a regular file";
      case FileError::kFolderLocked: return "another Tarnwick run is working on this folder";
    }
    return "unknown error";
  }
};

}  // namespace

const std::error_category& FileErrorCategory() {
  static const FileErrorCategoryImpl category;
  return category;
}

std::error_code make_error_code(FileError error) {
  return {static_cast<int>(error), FileErrorCategory()};
}

}  // namespace tarnwick
