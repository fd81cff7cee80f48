#pragma once

#include "qtbase/ClockSource.h"
#include "gui/shell/DesktopShell.h"
#include "gui/dialogs/Dialogs.h"
#include "gui/analysis/AnalysisPage.h"
#include "gui/app/Commands.h"
#include "gui/app/SecondTimer.h"
#include "gui/app/TWel_Kor.h"
#include "gui/output/OutputCommands.h"
#include "gui/plate/PlatePage.h"
#include "gui/reader/ReaderCommands.h"
#include "gui/reader/ReaderLink.h"
#include "gui/report/ReportFiles.h"
#include "gui/report/ReportPage.h"
#include "gui/shell/ShellCommands.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

using namespace welkor::gui;

// Failed comparisons of texts print the text, not its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Dialogs that answer from a script and remember what they were asked.
class ScriptedDialogs : public Dialogs {
public:
    std::deque<std::optional<QString>> fileAnswers; // nullopt = cancel
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::uint32_t>> colourAnswers;
    std::deque<SaveChoice> saveChoiceAnswers; // none left: Cancel
    std::deque<int> filterAnswers;            // file type chosen in the next file dialog
    // What the printer set-up dialog does to the printer (none left: cancel).
    std::deque<std::function<void(QPrinter&)>> printerSetupAnswers;
    int printerSetupsShown = 0;
    QStringList printerSetupOffers; // the PDF file each set-up offered
    // The printer a print preview paints on; none: the preview is only counted.
    QPrinter* previewTarget = nullptr;
    int previewsShown = 0;
    // The preview's own print button, one answer per preview: what its print
    // dialog sets on the preview's printer, which is then printed on (none
    // left: the preview is closed without printing).
    std::deque<std::function<void(QPrinter&)>> previewPrintAnswers;
    // What the user does in the program's own modal dialogs, one script per
    // dialog; a dialog left open by its script is closed as with Escape.
    std::deque<std::function<void(QDialog&)>> modalScripts;

    QStringList informations;
    QStringList errors;
    QStringList questions;
    QStringList saveQuestions;
    QList<FileDialogState> fileDialogsShown;
    QList<std::uint32_t> colourDialogStarts;
    QStringList modalsShown;

    bool openFile(FileDialogState& state) override { return answerFile(state); }
    bool saveFile(FileDialogState& state) override { return answerFile(state); }
    bool askYesNo(const QString& title, const QString& text) override
    {
        questions.push_back(title + QStringLiteral("|") + text);
        if (yesNoAnswers.empty())
            return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    SaveChoice askSaveChanges(const QString& text) override
    {
        saveQuestions.push_back(text);
        if (saveChoiceAnswers.empty())
            return SaveChoice::Cancel;
        const SaveChoice answer = saveChoiceAnswers.front();
        saveChoiceAnswers.pop_front();
        return answer;
    }
    void information(const QString& text) override { informations.push_back(text); }
    void error(const QString& text) override { errors.push_back(text); }
    void printerSetup(const PrintSupport&, QPrinter& printer, const QString& offeredPdf) override
    {
        ++printerSetupsShown;
        printerSetupOffers.push_back(offeredPdf);
        if (printerSetupAnswers.empty())
            return;
        printerSetupAnswers.front()(printer);
        printerSetupAnswers.pop_front();
    }
    void printPreview(const PrintSupport&, QPrinter& printer, const QString& offeredPdf,
                      const std::function<void(QPrinter&)>& paint) override
    {
        ++previewsShown;
        previewOffers.push_back(offeredPdf);
        previewPrinterDocName = printer.docName();
        if (previewTarget)
            paint(*previewTarget);
        if (!previewPrintAnswers.empty()) {
            previewPrintAnswers.front()(printer);
            previewPrintAnswers.pop_front();
            paint(printer);
        }
    }
    QString previewPrinterDocName;
    QStringList previewOffers; // the PDF file each preview's print dialog offered
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override
    {
        colourDialogStarts.push_back(initial);
        if (colourAnswers.empty())
            return std::nullopt;
        auto answer = colourAnswers.front();
        colourAnswers.pop_front();
        return answer;
    }

    int runModal(QDialog& dialog) override
    {
        modalsShown.push_back(dialog.windowTitle());
        dialog.show();
        if (!modalScripts.empty()) {
            auto script = std::move(modalScripts.front());
            modalScripts.pop_front();
            script(dialog);
        }
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    }

private:
    bool answerFile(FileDialogState& state)
    {
        fileDialogsShown.push_back(state);
        if (!filterAnswers.empty()) {
            state.filterIndex = filterAnswers.front();
            filterAnswers.pop_front();
        }
        if (fileAnswers.empty() || !fileAnswers.front()) {
            if (!fileAnswers.empty())
                fileAnswers.pop_front();
            return false;
        }
        state.fileName = *fileAnswers.front();
        fileAnswers.pop_front();
        return true;
    }
};

class FixedClock : public ClockSource {
public:
    QDateTime time = QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15));
    QDateTime now() override { return time; }
};

// A reader on a configured port that never answers: its toolbar items
// show (the number box is made after the pages).
class SilentReader : public ReaderLink {
public:
    bool configured() const override { return true; }
    ReaderAnswer exchange(const std::string&, QWidget*) override { return {}; }
};

// The desktop as a recorder: registrations and opened addresses.
class RecordingShell : public DesktopShell {
public:
    QList<QStringList> registrations; // extension, type name, description, program
    QList<QUrl> openedUrls;
    bool browserAvailable = true;
    QString registrationError; // when set, registering fails with this message

    void registerFileType(const QString& extension, const QString& typeName, const QString& description,
                          const QString& programPath) override
    {
        registrations.push_back({extension, typeName, description, programPath});
        if (!registrationError.isEmpty())
            throw UserError(registrationError);
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return browserAvailable;
    }
};

// A main window with scripted dialogs, a fixed clock and a temporary
// directory as the executable's directory.
class WindowTest : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    FixedClock clock;
    RecordingShell shell;
    QTemporaryDir dir;
    QString executableDir; // the program's folder; empty: the temporary directory
    std::unique_ptr<TWel_Kor> window;
    ReaderLink* reader = nullptr; // the plate reader the window talks to; none when null
    QString printModule = QStringLiteral(WELKOR_PRINT_MODULE); // Qt's print support: the module the build made

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    TWel_Kor& Start(const QStringList& arguments = {}, bool show = true)
    {
        WindowServices services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        services.executableDir = executableDir.isEmpty() ? dir.path() : executableDir;
        services.executablePath = QDir(services.executableDir).filePath(QStringLiteral("welkor-lumo"));
        services.arguments = arguments;
        services.userConfigDir = dir.filePath(QStringLiteral("config")); // never the tester's own
        services.shell = &shell;
        services.reader = reader;
        services.printModule = printModule;
        window = std::make_unique<TWel_Kor>(services);
        if (show)
            window->show();
        return *window;
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray ReadFile(const QString& name) const
    {
        QFile file(Path(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }
};

// A report of 18 lines plus a comment: header, date, operator and twelve
// value lines of eight values each (column c holds values 0,1cc + row/100).
QByteArray SampleReport(const QByteArray& extraValueA1 = {});
