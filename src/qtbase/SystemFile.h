#pragma once

#include <QString>
#ifdef Q_OS_WIN
#include <QFile>
#endif

// The operating system's side of the program's file reads and writes
// (FileIO): SystemFilePosix.cpp on Linux and other POSIX systems,
// SystemFileWindows.cpp on Windows, each with its own WriteFileAtomically.

// A file opened for reading, closed when it goes out of scope. Opening
// refuses anything but a regular file (a folder, a FIFO, a device, a socket)
// and a file that cannot be opened, with a message naming it.
class SystemFile {
public:
    explicit SystemFile(const QString& fileName);
    ~SystemFile();
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    // The file's size when it was opened (it is read until it ends).
    qint64 size() const { return size_; }
    // Up to maxBytes into data; 0 at the end. A failure throws UserError.
    qint64 read(char* data, qint64 maxBytes);

private:
    QString fileName_;
    qint64 size_ = 0;
#ifdef Q_OS_WIN
    QFile file_;
#else
    int fd_ = -1;
#endif
};

// The messages of a file that cannot be read or written, thrown as UserError:
// "Cannot open file ..." and "Cannot create file ..." with the reason, and
// for a write whether the old file stayed as it was.
[[noreturn]] void ThrowCannotOpen(const QString& fileName, const QString& reason);
[[noreturn]] void ThrowCannotCreate(const QString& fileName, bool existed, const QString& reason);
