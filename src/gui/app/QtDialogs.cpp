#include "gui/app/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

bool RunFileDialog(QWidget* parent, FileDialogState& state, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, state.title);
    dialog.setAcceptMode(mode);
    // Neither dialog insists on an existing file: the program reports a missing one.
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks about overwriting itself, with its own wording.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(state.filter);
    dialog.setDefaultSuffix(state.defaultSuffix);
    if (!state.fileName.isEmpty())
        dialog.selectFile(state.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    state.fileName = dialog.selectedFiles().constFirst();
    return true;
}

} // namespace

bool QtDialogs::openFile(FileDialogState& state) { return RunFileDialog(parent_, state, QFileDialog::AcceptOpen); }

bool QtDialogs::saveFile(FileDialogState& state) { return RunFileDialog(parent_, state, QFileDialog::AcceptSave); }

bool QtDialogs::askYesNo(const QString& title, const QString& text)
{
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

SaveChoice QtDialogs::askSaveChanges(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return SaveChoice::Save;
    case QMessageBox::No: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

void QtDialogs::information(const QString& text)
{
    QMessageBox::information(parent_, QApplication::applicationDisplayName(), text);
}

void QtDialogs::error(const QString& text)
{
    QMessageBox::critical(parent_, QApplication::applicationDisplayName(), text);
}

std::optional<std::uint32_t> QtDialogs::chooseColour(std::uint32_t initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8)
        | (static_cast<std::uint32_t>(chosen.blue()) << 16);
}
