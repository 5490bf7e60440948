// The exceptions libstdc++'s containers and strings raise by themselves, defined for the shipped
// program in place of the library's own (functexcept.o). Those build std::logic_error and its
// kin, whose reference-counted message strings bring about 50 KB of string code that the program
// uses nowhere else. Every function of that library file is defined here, so the linker never
// needs it. The program catches failures as std::exception and shows what() (the library's
// message, unformatted), so the error a person sees stays the same. The system error a failing
// mutex raises is defined here too, as the library's own (system_error.o) brings the same
// string code.
#include <bits/functexcept.h>

#include <new>
#include <typeinfo>

#include "package/message_error.h"

namespace {

[[noreturn]] void Raise(const char* message) {
  throw xa::TMessageError(message);
}

}  // namespace

namespace std {

void __throw_bad_exception() {
  throw bad_exception();
}
void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_bad_cast() {
  throw bad_cast();
}
void __throw_bad_typeid() {
  throw bad_typeid();
}
void __throw_logic_error(const char* message) {
  Raise(message);
}
void __throw_domain_error(const char* message) {
  Raise(message);
}
void __throw_invalid_argument(const char* message) {
  Raise(message);
}
void __throw_length_error(const char* message) {
  Raise(message);
}
void __throw_out_of_range(const char* message) {
  Raise(message);
}
void __throw_out_of_range_fmt(const char* format, ...) {
  Raise(format);
}
void __throw_runtime_error(const char* message) {
  Raise(message);
}
void __throw_range_error(const char* message) {
  Raise(message);
}
void __throw_overflow_error(const char* message) {
  Raise(message);
}
void __throw_underflow_error(const char* message) {
  Raise(message);
}
void __throw_system_error(int) {
  Raise("System error");
}

}  // namespace std
