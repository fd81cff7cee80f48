#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <string_view>
#ifndef Q_OS_WIN
#include <sys/types.h>
#endif

// File reads and writes with the messages the user sees when they fail
// ("Cannot open file ...", "Cannot create file ..."), thrown as UserError.

// The messages of a file that cannot be read or written, thrown as UserError,
// all built here: "Cannot open file "<name>". <reason>" and "Cannot create
// file "<name>". <reason>", the latter saying whether an existing file stayed
// as it was.
[[noreturn]] void ThrowCannotOpen(const QString& fileName, const QString& reason);
[[noreturn]] void ThrowCannotCreate(const QString& fileName, bool existed, const QString& reason);

// Reads the whole file. A file larger than maxBytes is refused before it is
// read, with a message naming the file. Only a regular file is read: a
// folder, a FIFO, a device or a socket is refused at once, without waiting
// for a writer and without opening a device.
std::string ReadFileBytes(const QString& fileName, qint64 maxBytes);

// Reads at most maxBytes from the start of the file (a regular file only).
std::string ReadFilePrefix(const QString& fileName, qint64 maxBytes);

// The file name with `extension` in place of its own ("pomiar.rap", "xls" ->
// "pomiar.xls"); the folder stays, and a name without an extension ("Pomiar")
// is left for the dialog's default suffix. Lets each command offer the name
// chosen last as its own kind of file.
QString WithExtension(const QString& fileName, const QString& extension);

// Saves of many files in a row (a batch export): each folder is searched for
// temporaries left by killed saves once, at the batch's first save into it,
// instead of at every save, so that a batch takes time in proportion to its
// files; and each folder is synced once, when the batch ends (each file is
// synced before it takes its name, so any one is the old or the new whole).
class SaveBatch {
public:
    SaveBatch();
    ~SaveBatch();
    SaveBatch(const SaveBatch&) = delete;
    SaveBatch& operator=(const SaveBatch&) = delete;

    struct Folders; // the folders searched so far and what was found in them

private:
    friend QString WriteFileAtomically(const QString&, std::string_view, SaveBatch*);
    std::unique_ptr<Folders> folders_;
};

// Replaces the file's content in one step, the one way every file of the
// program is written. The bytes go to a temporary file beside it
// (".<name>.welkor-zapis-<pid>-<random>", created for the saving user alone,
// its random part from the system's random source), which is synced,
// renamed over the file and followed by a sync of the folder, so that
// neither a crash nor a power cut leaves anything but the old or the new
// content. The file keeps its permissions and its group (and, for root, its
// owner). A symbolic link keeps pointing at the file; a link is followed only
// where the system itself would follow it on a shared machine: the link is
// the saving user's own, or its folder's owner owns it too, or its folder is
// not one where everybody may create files (sticky and writable by all, as
// /tmp). Only a regular file is replaced: a folder, a device, a FIFO or a
// socket, a file the user may not write and a link someone else planted in a
// shared folder are refused. A failure names the file and the cause ("Brak
// miejsca na dysku.") and leaves the old content and no temporary file.
// After a successful write, temporaries of this file left by a run of the
// same user that was killed are removed.
// Returns a note for the user when the save succeeded but could not keep
// the file's group (the saving user is not in it); empty otherwise.
QString WriteFileAtomically(const QString& fileName, std::string_view bytes, SaveBatch* batch = nullptr);

// The cause of a failed system call (errno) in the user's words, in Polish;
// a rare cause the system's own text with its number.
QString SystemReason(int error);

// File names as the system's bytes. On POSIX systems a name is any bytes;
// the program holds it as text with every byte that is not part of UTF-8
// kept as the character U+DC00 + the byte (U+DC80 to U+DCFF, which no UTF-8
// text holds), so that a name from an old share in Latin-2 is read, listed
// and written under exactly its own bytes:
// FileNameBytes(FileNameFromBytes(b)) == b for any b.
QString FileNameFromBytes(const QByteArray& bytes);
QByteArray FileNameBytes(const QString& name);

// What a name in the file system is, by its own bytes (a link is not followed
// by Exists, it is by IsFolder).
bool FileNameExists(const QString& name);
bool IsFolder(const QString& name);
// Creates the folder and any missing folders above it; false when it cannot.
bool MakeFolderPath(const QString& folder);
// The entries of a folder whose names end with `suffix` (".rap"; ASCII, in any case),
// except folders and hidden entries, by name, joined to the folder's path.
// Names that are not UTF-8 are listed as the others. A folder that cannot
// be read throws UserError.
QStringList FolderFiles(const QString& folder, const QString& suffix);

#ifndef Q_OS_WIN
// The system calls behind WriteFileAtomically, so that tests can stand in a
// full disk or a failing step. Production code never changes them; a test
// that does puts the originals back.
struct FileWriteCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*renameat)(int fromFolder, const char* from, int toFolder, const char* to);
};
FileWriteCalls& FileWriteCallsInUse();
#endif
