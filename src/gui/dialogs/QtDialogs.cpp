#include "gui/dialogs/QtDialogs.h"

#include "core/output/ExportDocument.h"
#include "gui/output/PrintSupport.h"
#include "qtbase/QtText.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace welkor::gui {

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

// A "label|pattern|..." filter as Qt takes it: "label (pattern)" per entry,
// shown without the added pattern, so the labels read exactly as given.
struct PairFilter {
    QStringList nameFilters;
    QStringList labels;
    QStringList suffixes;
};

PairFilter SplitPairFilter(const QString& filter)
{
    PairFilter out;
    for (const welkor::FilterEntry& entry : welkor::SplitFilter(ToCp1250(filter))) {
        const QString label = FromCp1250(entry.label);
        out.labels << label;
        out.nameFilters << label + QStringLiteral(" (") + FromCp1250(entry.pattern) + QLatin1Char(')');
        out.suffixes << FromCp1250(welkor::PatternExtension(entry.pattern));
    }
    return out;
}

bool RunFileDialog(QWidget* parent, FileDialogState& state, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, state.title);
    dialog.setAcceptMode(mode);
    // Neither dialog insists on an existing file: the program reports a missing one.
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks about overwriting itself, with its own wording.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Qt would add the default suffix to every name without one, even to an
    // existing file's; an open dialog adds it below, only where needed.
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(state.defaultSuffix);
    if (!state.fileName.isEmpty())
        dialog.selectFile(state.fileName);

    const bool pairs = state.filter.contains(QLatin1Char('|'));
    const PairFilter filter = pairs ? SplitPairFilter(state.filter) : PairFilter{};
    if (pairs) {
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        dialog.setNameFilters(filter.nameFilters);
        dialog.selectNameFilter(filter.nameFilters.value(state.filterIndex));
        // Another entry chosen: a name typed without an extension gets that
        // entry's, and the offered name takes it on.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filter](const QString& chosen) {
            qsizetype index = filter.nameFilters.indexOf(chosen);
            if (index < 0)
                index = filter.labels.indexOf(chosen);
            const QString suffix = filter.suffixes.value(index);
            dialog.setDefaultSuffix(suffix);
            const QStringList typed = dialog.selectedFiles();
            if (!suffix.isEmpty() && !typed.isEmpty() && !QFileInfo(typed.first()).isDir()) {
                const QFileInfo name(typed.first());
                dialog.selectFile(name.completeBaseName() + QLatin1Char('.') + suffix);
            }
        });
    } else {
        dialog.setNameFilter(state.filter);
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    state.fileName = dialog.selectedFiles().constFirst();
    if (mode == QFileDialog::AcceptOpen)
        state.fileName = WithDefaultSuffix(state.fileName, state.defaultSuffix);
    if (pairs) {
        const QString chosen = dialog.selectedNameFilter();
        qsizetype index = filter.nameFilters.indexOf(chosen);
        if (index < 0)
            index = filter.labels.indexOf(chosen);
        state.filterIndex = index < 0 ? 0 : static_cast<int>(index);
    }
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

void QtDialogs::printerSetup(const PrintSupport& print, QPrinter& printer, const QString& offeredPdf)
{
    print.RunSetupDialog(printer, offeredPdf, parent_);
}

void QtDialogs::printPreview(const PrintSupport& print, QPrinter& printer, const QString& offeredPdf,
                             const std::function<void(QPrinter&)>& paint)
{
    print.RunPreviewDialog(printer, offeredPdf, paint, parent_);
}

} // namespace welkor::gui
