#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QPrinter;

namespace welkor::gui {

class PrintSupport;

// What a standard file dialog keeps between uses: the command that shows it
// sets filter and title first, and the name chosen last is offered next time.
struct FileDialogState {
    QString title;
    // Qt form ("Raport z pomiaru (*.rap)"), or label and pattern pairs
    // separated by bars ("Arkusz Excel (*.xls)|*.xls|Plik tekstowy (*.txt)|*txt"),
    // of which the labels are shown and the patterns select the files.
    QString filter;
    QString defaultSuffix; // added to a name typed without an extension
    QString fileName;      // offered when the dialog opens, then the user's choice
    int filterIndex = 0;   // the filter entry shown first, then the user's choice
};

// The answers to "Zapisać zmiany?".
enum class SaveChoice { Save, Discard, Cancel };

// Every modal question the window asks goes through here, so tests can script
// the answers and nothing blocks on the offscreen platform.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Show an open / save dialog; on confirmation store the chosen name in
    // state.fileName and return true.
    virtual bool openFile(FileDialogState& state) = 0;
    virtual bool saveFile(FileDialogState& state) = 0;

    // The "Uwaga!" question with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;

    // "Zapisać zmiany?" with Tak / Nie / Anuluj; `text` says what is unsaved.
    virtual SaveChoice askSaveChanges(const QString& text) = 0;

    // A plain information box with OK ("Brak danych!").
    virtual void information(const QString& text) = 0;

    // What the error guard shows when a handler fails.
    virtual void error(const QString& text) = 0;

    // The colour chooser: starts on `initial`, returns the colour the user
    // confirmed (0x00BBGGRR) or nothing on cancel.
    virtual std::optional<std::uint32_t> chooseColour(std::uint32_t initial) = 0;

    // The printer set-up dialog: what the user confirms stays in `printer`
    // for the next print; a cancel leaves it as it was. A print to a file
    // is offered as `offeredPdf` until the printer has a file of its own.
    // `print` is Qt's print support, which the real dialog is part of.
    virtual void printerSetup(const PrintSupport& print, QPrinter& printer, const QString& offeredPdf) = 0;

    // The print preview of the pages `paint` draws on the printer it is
    // given; printing from the preview calls `paint` again. Its print
    // dialog offers `offeredPdf` as the set-up does.
    virtual void printPreview(const PrintSupport& print, QPrinter& printer, const QString& offeredPdf,
                              const std::function<void(QPrinter&)>& paint) = 0;

    // Shows one of the program's own dialogs (operator, about box) modally
    // and returns how it closed (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& dialog) { return dialog.exec(); }
};

} // namespace welkor::gui
