#include "package/errors.h"

namespace xa {

std::string CannotOpenFileMessage(const std::string& path, const std::string& reason) {
  return "Cannot open file \"" + path + "\". " + reason;
}

std::string CannotCreateFileMessage(const std::string& path, const std::string& reason) {
  return "Cannot create file \"" + path + "\". " + reason;
}

}  // namespace xa
