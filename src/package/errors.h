#ifndef XA_PACKAGE_ERRORS_H_
#define XA_PACKAGE_ERRORS_H_

#include <cstdint>
#include <string>

#include "package/message_error.h"

namespace xa {

// Base of every failure the program reports; what() is the message shown to the user.
class Exception : public TMessageError {
 public:
  using TMessageError::TMessageError;
};

// Stream failures: short reads and writes, seeks out of range, files that cannot be opened.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

// A stored file content that cannot be deciphered.
class ECipherException : public Exception {
 public:
  using Exception::Exception;
};

inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kStreamWriteError[] = "Stream write error";
inline constexpr char kSeekOutOfRange[] = "Seek out of range";
inline constexpr char kInvalidFileFormat[] = "Invalid file format";

// "Cannot open file "<path>". <reason>"
std::string CannotOpenFileMessage(const std::string& path, const std::string& reason);

// "Cannot create file "<path>". <reason>"
std::string CannotCreateFileMessage(const std::string& path, const std::string& reason);

// The system's text for the Windows error `code`, without the trailing blanks, line breaks and
// dots. Windows only.
std::string SystemErrorText(uint32_t code);

}  // namespace xa

#endif  // XA_PACKAGE_ERRORS_H_
