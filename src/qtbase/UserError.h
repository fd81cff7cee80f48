#pragma once

#include <QString>

#include <exception>
#include <string>

// An error whose message is for the user: a file that cannot be read or
// written, a step that cannot be done. The window's error guard shows it in a
// message box; the command-line program writes it on standard error.
class UserError : public std::exception {
public:
    explicit UserError(QString message) : message_(std::move(message)), bytes_(message_.toStdString()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return bytes_.c_str(); }

private:
    QString message_;
    std::string bytes_;
};
