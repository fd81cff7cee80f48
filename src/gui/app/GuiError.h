#pragma once

#include <QString>

#include <exception>
#include <string>

// An error raised by the GUI layer itself (a file that cannot be read or
// written); the window's error guard shows its message.
class GuiError : public std::exception {
public:
    explicit GuiError(QString message) : message_(std::move(message)), bytes_(message_.toStdString()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return bytes_.c_str(); }

private:
    QString message_;
    std::string bytes_;
};
