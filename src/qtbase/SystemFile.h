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
