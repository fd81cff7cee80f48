#pragma once

#include <QString>

#include <string>
#include <string_view>
#ifndef Q_OS_WIN
#include <sys/types.h>
#endif

// File reads and writes with the messages the user sees when they fail
// ("Cannot open file ...", "Cannot create file ..."), thrown as GuiError.

// Reads the whole file. A file larger than maxBytes is refused before it is
// read, with a message naming the file.
std::string ReadFileBytes(const QString& fileName, qint64 maxBytes);

// Reads at most maxBytes from the start of the file.
std::string ReadFilePrefix(const QString& fileName, qint64 maxBytes);

// The file name with `extension` in place of its own ("pomiar.rap", "xls" ->
// "pomiar.xls"); the folder stays, and a name without an extension ("Pomiar")
// is left for the dialog's default suffix. Lets each command offer the name
// chosen last as its own kind of file.
QString WithExtension(const QString& fileName, const QString& extension);

// Replaces the file's content in one step, the one way every file of the
// program is written. The bytes go to a temporary file beside it
// (".<name>.welkor-zapis-<pid>-<random>"), which is synced, renamed over the
// file and followed by a sync of the folder, so that neither a crash nor a
// power cut leaves anything but the old or the new content. The file keeps
// its permissions; a symbolic link keeps pointing at it. A failure names the
// file and the cause ("Brak miejsca na dysku.") and leaves the old content
// and no temporary file. After a successful write, temporaries of this file
// left by a run that was killed are removed.
void WriteFileAtomically(const QString& fileName, std::string_view bytes);

#ifndef Q_OS_WIN
// The system calls behind WriteFileAtomically, so that tests can stand in a
// full disk or a failing step. Production code never changes them; a test
// that does puts the originals back.
struct FileWriteCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
};
FileWriteCalls& FileWriteCallsInUse();
#endif
