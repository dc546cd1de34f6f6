#pragma once
// Failures travel as exceptions that carry the text the user will read.

#include <stdexcept>
#include <string>

namespace morvane {

class EError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A read or write past what a memory stream holds.
class EStreamError : public EError {
  public:
    using EError::EError;
};

// A failed call into the operating system; Code is errno.
class EOSError : public EError {
  public:
    EOSError(int code, const std::string& message) : EError(message), Code(code) {}
    int Code;
};

// A text that is not a strict decimal integer.
class EConvertError : public EError {
  public:
    using EError::EError;
};

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// "System Error.  Code: %d.\r\n%s" with the system's description of code.
std::string SysErrorText(int code);
[[noreturn]] void RaiseOSError(int code);

} // namespace morvane
