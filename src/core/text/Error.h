#pragma once

#include <stdexcept>
#include <string>

namespace welkor {

// An error a handler cannot get past. The message is the text the user sees,
// in code page 1250 bytes like every other core string; the window's error
// guard shows it and the program carries on.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A text that should have been a number was not.
class ConversionError : public Error {
public:
    explicit ConversionError(const std::string& text)
        : Error("'" + text + "' is not a valid floating point value"), text_(text) {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace welkor
