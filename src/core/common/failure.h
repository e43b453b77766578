#pragma once

#include <exception>
#include <string>

namespace kestrine {

// The one exception type of the program: a failure with a message for the user. Each
// user-facing operation catches it, puts its own prefix in front and shows the text.
class Failure : public std::exception {
  public:
    explicit Failure(std::u16string message);

    const std::u16string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

  private:
    std::u16string message_;
    std::string utf8_;
};

}  // namespace kestrine
