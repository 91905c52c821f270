#include "platform/trash_error.h"

#include <string>

namespace tarnwick {
namespace {

class TrashCategoryImpl : public std::error_category {
 public:
  const char* name() const noexcept override { return "trash"; }
  std::string message(int value) const override {
    switch (static_cast<TrashError>(value)) {
      case TrashError::kUnsafeTrashFolder:
        return "the trash folder is a link, not a folder, or belongs to another user";
      case TrashError::kFolderUnreachable:
        return "the file's folder can no longer be reached by its path";
    }
    return "unknown trash error";
  }
};

}  // namespace

const std::error_category& TrashCategory() {
  static const TrashCategoryImpl category;
  return category;
}

std::error_code make_error_code(TrashError error) {
  return {static_cast<int>(error), TrashCategory()};
}

}  // namespace tarnwick
