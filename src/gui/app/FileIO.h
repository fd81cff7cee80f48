#pragma once

#include <QString>

#include <string>
#include <string_view>

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

// Replaces the file's content in one step: the old content stays whole until
// the new one is completely on disk.
void WriteFileAtomically(const QString& fileName, std::string_view bytes);
