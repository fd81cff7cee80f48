#pragma once

#include "gui/app/ClockSource.h"
#include "gui/app/Dialogs.h"
#include "gui/app/TWel_Kor.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

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
    // The printer a print preview paints on; none: the preview is only counted.
    QPrinter* previewTarget = nullptr;
    int previewsShown = 0;

    QStringList informations;
    QStringList errors;
    QStringList questions;
    QStringList saveQuestions;
    QList<FileDialogState> fileDialogsShown;
    QList<std::uint32_t> colourDialogStarts;

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
    void printerSetup(QPrinter& printer) override
    {
        ++printerSetupsShown;
        if (printerSetupAnswers.empty())
            return;
        printerSetupAnswers.front()(printer);
        printerSetupAnswers.pop_front();
    }
    void printPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override
    {
        ++previewsShown;
        previewPrinterDocName = printer.docName();
        if (previewTarget)
            paint(*previewTarget);
    }
    QString previewPrinterDocName;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override
    {
        colourDialogStarts.push_back(initial);
        if (colourAnswers.empty())
            return std::nullopt;
        auto answer = colourAnswers.front();
        colourAnswers.pop_front();
        return answer;
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

// A main window with scripted dialogs, a fixed clock and a temporary
// directory as the executable's directory.
class WindowTest : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    FixedClock clock;
    QTemporaryDir dir;
    std::unique_ptr<TWel_Kor> window;
    ReaderLink* reader = nullptr; // the plate reader the window talks to; none when null

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    TWel_Kor& Start(const QStringList& arguments = {}, bool show = true)
    {
        WindowServices services;
        services.dialogs = &dialogs;
        services.clock = &clock;
        services.executableDir = dir.path();
        services.executablePath = dir.filePath(QStringLiteral("welkor-lumo"));
        services.arguments = arguments;
        services.reader = reader;
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
