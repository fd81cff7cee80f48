#pragma once

#include "gui/dialogs/Dialogs.h"

class QWidget;

namespace welkor::gui {

// The real dialogs: Qt's file and colour dialogs and message boxes; the print
// dialogs are those of the print support.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool openFile(FileDialogState& state) override;
    bool saveFile(FileDialogState& state) override;
    bool askYesNo(const QString& title, const QString& text) override;
    SaveChoice askSaveChanges(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    void printerSetup(const PrintSupport& print, QPrinter& printer, const QString& offeredPdf) override;
    void printPreview(const PrintSupport& print, QPrinter& printer, const QString& offeredPdf,
                      const std::function<void(QPrinter&)>& paint) override;

private:
    QWidget* parent_;
};

} // namespace welkor::gui
