#pragma once

// Dialogs for the window benchmarks: every question is declined at once, so
// nothing waits for a user while the clock runs.
#include "gui/dialogs/Dialogs.h"

using namespace welkor::gui;

class NoDialogs : public Dialogs {
public:
    bool openFile(FileDialogState&) override { return false; }
    bool saveFile(FileDialogState&) override { return false; }
    bool askYesNo(const QString&, const QString&) override { return false; }
    SaveChoice askSaveChanges(const QString&) override { return SaveChoice::Cancel; }
    void information(const QString&) override {}
    void error(const QString&) override {}
    std::optional<std::uint32_t> chooseColour(std::uint32_t) override { return std::nullopt; }
    void printerSetup(const PrintSupport&, QPrinter&, const QString&) override {}
    void printPreview(const PrintSupport&, QPrinter&, const QString&, const std::function<void(QPrinter&)>&) override {}
};
