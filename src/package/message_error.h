#ifndef XA_PACKAGE_MESSAGE_ERROR_H_
#define XA_PACKAGE_MESSAGE_ERROR_H_

#include <exception>
#include <string>
#include <utility>

namespace xa {

// A failure that carries its message text, the common base of the program's error classes.
// Unlike std::runtime_error it keeps the text in an ordinary std::string, so that the program
// links none of the library's reference-counted string code for its errors.
class TMessageError : public std::exception {
 public:
  explicit TMessageError(std::string message) : message_(std::move(message)) {}
  explicit TMessageError(const char* message) : message_(message) {}

  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Raises an `E` carrying `message`. Written instead of a throw expression: the compiler keeps
// this cold function out of line, so each place that raises costs a call rather than the
// allocation, construction, clean-up and throw of the exception (about 5 KB in the program).
template <typename E>
[[noreturn]] void Raise(const char* message) {
  throw E(message);
}

template <typename E>
[[noreturn]] void Raise(std::string message) {
  throw E(std::move(message));
}

}  // namespace xa

#endif  // XA_PACKAGE_MESSAGE_ERROR_H_
