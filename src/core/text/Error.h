#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace welkor {

// An error a handler cannot get past. The message is the text the user sees,
// in code page 1250 bytes like every other core string; the window's error
// guard shows it and the program carries on.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// "Wartość ' 1.5' nie jest liczbą." with the decimal comma hint where it
// applies: the message for a text that should have been a number.
std::string NotANumberMessage(std::string_view text);

// " Liczby zapisuje się z przecinkiem dziesiętnym: 1,5 zamiast 1.5." when the
// text would be a number with its full stops written as commas; empty
// otherwise.
std::string DecimalCommaHint(std::string_view text);

// A text that should have been a number was not.
class ConversionError : public Error {
public:
    explicit ConversionError(const std::string& text) : Error(NotANumberMessage(text)), text_(text) {}
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace welkor
