#include "package/errors.h"

#include "package/text_join.h"

namespace xa {

std::string CannotOpenFileMessage(const std::string& path, const std::string& reason) {
  return JoinText({"Cannot open file \"", path, "\". ", reason});
}

std::string CannotCreateFileMessage(const std::string& path, const std::string& reason) {
  return JoinText({"Cannot create file \"", path, "\". ", reason});
}

}  // namespace xa
