#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdio>
#include <exception>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class SaveBatch;

// What every command of welkor-lumo-cli shares: its arguments, reading the
// inputs, writing the results, messages and the progress line.

// A command line the program cannot follow (exit status 2).
class UsageError : public std::exception {
public:
    explicit UsageError(QString message) : message_(std::move(message)) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return "usage"; }

private:
    QString message_;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1; // an input refused or a result not written
inline constexpr int kExitUsage = 2;

// The command line after the program's name: the command, its options (by
// long name, each with the values given in order) and the other arguments.
struct Arguments {
    QString command;
    std::map<QString, QStringList> options;
    QStringList inputs;
    bool help = false;

    bool has(const QString& option) const { return options.count(option) != 0; }
    // The option's last value, or `fallback` when it was not given.
    QString value(const QString& option, const QString& fallback = {}) const;
};

// Options are "--name value", "--name=value", "-o value"; "-o" is short for
// "--wyjscie"; "--" ends the options; "-" alone is an input (standard
// input). Options outside `allowed` are refused.
Arguments ParseArguments(const QString& command, const QStringList& args, const std::set<QString>& allowed);

// The inputs with every directory replaced by its .rap files (by name; every
// one, whatever bytes its name holds). A folder that cannot be read throws
// UserError.
QStringList ExpandFolders(const QStringList& inputs);

// A text for the terminal or a pipe: file names in it as their own bytes.
std::string TerminalBytes(const QString& text);

// The bytes of a file, or of standard input for "-" (once). A file that
// cannot be read or is larger than maxBytes throws UserError naming it.
std::string ReadInput(const QString& name, std::size_t maxBytes);

// Standard output in large blocks, messages on standard error, and while a
// batch runs on a terminal a progress line that messages never break.
class Console {
public:
    ~Console();

    void Out(std::string_view bytes);
    // Everything written so far reaches standard output; a failure throws
    // UserError.
    void Flush();
    // One message line (or several) on standard error.
    void Message(const QString& text);

    // "eksport 120/10000" on standard error, for batches of more than a few
    // files when standard error is a terminal.
    void StartProgress(const QString& label, std::size_t total);
    void Progress(std::size_t done);
    void EndProgress();

private:
    void ClearProgress();

    std::string buffer_;
    QString label_;
    std::size_t total_ = 0;
    bool progressShown_ = false;
    bool progressOn_ = false;
    long long lastProgressMs_ = -1;
};

// The result to a file, replaced in one step; "-" is standard output. What
// the save could not keep (the file's group) is told on standard error.
void WriteOutput(Console& console, const QString& name, std::string_view bytes, SaveBatch* batch = nullptr);
