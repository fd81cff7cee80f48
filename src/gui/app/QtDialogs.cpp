#include "gui/app/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// Message boxes carry the program's name as their title. (The application
// has no display name: Qt would append it to every window title.)
const QString kProgramName = QStringLiteral("Welkor Lumo 1");

// The name as typed when such a file exists; otherwise a name without an
// extension gets the default one ("pomiar" opens "pomiar.rap").
QString WithDefaultSuffix(const QString& typed, const QString& suffix)
{
    const QFileInfo info(typed);
    if (suffix.isEmpty() || info.exists() || info.fileName().contains(QLatin1Char('.')))
        return typed;
    return typed + QLatin1Char('.') + suffix;
}

bool RunFileDialog(QWidget* parent, FileDialogState& state, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, state.title);
    dialog.setAcceptMode(mode);
    // Neither dialog insists on an existing file: the program reports a missing one.
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks about overwriting itself, with its own wording.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(state.filter);
    // Qt would add the default suffix to every name without one, even to an
    // existing file's; an open dialog adds it below, only where needed.
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(state.defaultSuffix);
    if (!state.fileName.isEmpty())
        dialog.selectFile(state.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    state.fileName = dialog.selectedFiles().constFirst();
    if (mode == QFileDialog::AcceptOpen)
        state.fileName = WithDefaultSuffix(state.fileName, state.defaultSuffix);
    return true;
}

// A message box titled with the program's name. Messages quote file names
// and file contents, so they are never read as markup.
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, kProgramName, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

bool QtDialogs::openFile(FileDialogState& state) { return RunFileDialog(parent_, state, QFileDialog::AcceptOpen); }

bool QtDialogs::saveFile(FileDialogState& state) { return RunFileDialog(parent_, state, QFileDialog::AcceptSave); }

bool QtDialogs::askYesNo(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText); // file names are shown as they are
    return box.exec() == QMessageBox::Yes;
}

SaveChoice QtDialogs::askSaveChanges(const QString& text)
{
    QMessageBox box(QMessageBox::Question, kProgramName, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return SaveChoice::Save;
    case QMessageBox::No: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

void QtDialogs::information(const QString& text) { ShowMessage(parent_, QMessageBox::Information, text); }

void QtDialogs::error(const QString& text) { ShowMessage(parent_, QMessageBox::Critical, text); }

std::optional<std::uint32_t> QtDialogs::chooseColour(std::uint32_t initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8)
        | (static_cast<std::uint32_t>(chosen.blue()) << 16);
}
