#pragma once

#include <QString>

// Where Operator.ini is kept. A program run from a folder of its own (a USB
// stick, an unpacked archive) keeps the file beside itself; an installed
// program's folder is read-only, so there the file lives in the user's
// configuration folder.
struct OperatorIniPlaces {
    QString userDir;       // the user's configuration folder (may be empty)
    QString executableDir; // the folder of the running program

    QString userFile() const;
    QString programFile() const;

    // The places of this installation: the user's "welkor-lumo" folder under
    // the configuration location (the window and the command-line program
    // share it, whatever the executable is called) and the running
    // program's folder.
    static OperatorIniPlaces OfThisProgram();
};

// The operator's name: from the user's file if it exists, else from the one
// beside the program, else "Marvant". A file that exists but cannot be read
// throws UserError with a message naming it.
QString ReadOperatorIni(const OperatorIniPlaces& places);

// The file "Zatwierdź" writes: the user's file when there is one (reading
// takes it first, so a name written elsewhere would not show at the next
// start); else the one beside the program when that folder takes new files;
// else the user's file.
QString OperatorIniTarget(const OperatorIniPlaces& places);

// Writes "Operator:" and the name (code page 1250, CR LF after each line) to
// the target in one step. On failure throws UserError and leaves any earlier
// file as it was. Returns the save's note for the user (a group it could not
// keep), or nothing.
QString WriteOperatorIni(const OperatorIniPlaces& places, const QString& name);
