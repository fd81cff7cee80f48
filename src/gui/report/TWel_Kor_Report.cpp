// Reports: open, load, show and save.
#include "core/report/ReportFile.h"
#include "gui/analysis/EditGrid.h"
#include "qtbase/FileIO.h"
#include "gui/app/TWel_Kor.h"
#include "gui/widgets/StringGrid.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <functional>
#include <optional>

namespace welkor::gui {

namespace {

const QString kReportFilter = QStringLiteral("Raport z pomiaru (*.rap)");
const QString kReportSuffix = QStringLiteral("rap");

// The memo's lines as they are. toPlainText() would turn no-break spaces
// (0xA0 in the report's code page, the thousands separator of numbers) into
// plain blanks, so the raw text is taken and only the line breaks the editor
// keeps (paragraph and line separators) are turned into line ends.
QStringList MemoLines(const QPlainTextEdit& memo)
{
    QString text = memo.document()->toRawText();
    for (QChar& ch : text)
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            ch = QLatin1Char('\n');
    return text.split(QLatin1Char('\n'));
}

// A report another program saved in UTF-8 was read as such; the user learns
// that a save writes the reader's code page, and what it cannot hold.
QString Utf8ReportNotice(const QString& fileName, const QString& unstorable)
{
    QString text = QStringLiteral("Plik „%1” jest zapisany w kodowaniu UTF-8 i tak został odczytany.\r\n"
                                  "Zapisany zostanie w stronie kodowej 1250, jak raporty czytnika.")
                       .arg(QFileInfo(fileName).fileName());
    if (!unstorable.isEmpty())
        text += QStringLiteral("\r\nTych znaków nie da się w niej zapisać, więc widać je jako „?”: %1").arg(unstorable);
    return text;
}

QString OverwriteQuestion(const QString& fileName)
{
    return QStringLiteral("Już istnieje plik o nazwie:\r\n%1\r\nCzy mimo to go nadpisać?")
        .arg(QFileInfo(fileName).absoluteFilePath());
}

} // namespace

QStringList TWel_Kor::CommentMemoLines() const
{
    // A memo the user emptied holds no line at all, not one empty line.
    if (mKomentarz->document()->isEmpty())
        return {};
    return MemoLines(*mKomentarz);
}

bool TWel_Kor::ConfirmOverwrite(const QString& fileName)
{
    if (IsFolder(fileName))
        throw UserError(QStringLiteral("Cannot create file \"%1\". To jest katalog, nie plik.").arg(fileName));
    if (!FileNameExists(fileName))
        return true;
    return services_.dialogs->askYesNo(QStringLiteral("Uwaga!"), OverwriteQuestion(fileName));
}

bool TWel_Kor::ConfirmReplaceReport(const QString& fileName)
{
    const QFileInfo target(fileName);
    const bool ownFile = !reportFile_.isEmpty() && target.exists()
        && (target.absoluteFilePath() == reportFile_
            || (!target.canonicalFilePath().isEmpty() && target.canonicalFilePath() == QFileInfo(reportFile_).canonicalFilePath()));
    if (ownFile) {
        std::optional<std::string> now;
        try {
            now = ReadFileBytes(fileName, static_cast<qint64>(welkor::kMaxReportFileBytes));
        } catch (const UserError&) {
            // Unreadable now: the plain question below, and the write says why it fails.
        }
        if (now && std::hash<std::string_view>{}(*now) != reportFileDigest_)
            return services_.dialogs->askYesNo(
                QStringLiteral("Uwaga!"),
                QStringLiteral("Plik o nazwie:\r\n%1\r\nzmienił się na dysku, odkąd został tu otwarty lub zapisany "
                               "(zapisał go inny program albo inny użytkownik).\r\n"
                               "Nadpisanie usunie tamte zmiany. Czy mimo to go nadpisać?")
                    .arg(target.absoluteFilePath()));
    }
    return ConfirmOverwrite(fileName);
}

QString TWel_Kor::OfferedFileName(const QString& extension) const
{
    // Always with the command's own extension, so that no command offers the
    // report file itself (a report named without an extension included).
    if (!reportFile_.isEmpty()) {
        const QFileInfo report(reportFile_);
        return report.absoluteDir().filePath(report.completeBaseName() + QLatin1Char('.') + extension);
    }
    const QFileInfo last(SD.fileName);
    const QString folder = last.isAbsolute() ? last.absolutePath() : QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Pomiar.") + extension);
}

void TWel_Kor::WriteGridHeadings()
{
    // A report that was never opened: the document's headings and "0"s.
    report = welkor::ReportDocument();
    report.FillPlaceholder(columnCount, rowCount);
    ShowValuesInGrid();
}

void TWel_Kor::FillPlaceholder(std::uint8_t columns, std::uint8_t rows)
{
    report.FillPlaceholder(columns, rows);
    ShowValuesInGrid();
}

void TWel_Kor::RebuildReportText()
{
    mOdebrany->setPlainText(FromCp1250Lines(report.displayedLines()).join(QLatin1Char('\n')));
    mKomentarz->setPlainText(FromCp1250Lines(report.commentLines()).join(QLatin1Char('\n')));
}

void TWel_Kor::ShowValuesInGrid() { sgDane->setTexts(report.measuredGrid()); }

void TWel_Kor::ShowReport()
{
    RebuildReportText();
    ShowValuesInGrid();
    sgEdycja->setTexts(report.editGrid());
}

void TWel_Kor::TakeTypedWork()
{
    report.setCommentLines(ToCp1250Lines(CommentMemoLines()));
    report.setEditGrid(sgEdycja->texts());
}

void TWel_Kor::Otwrz1Click()
{
    OD.filter = kReportFilter;
    OD.defaultSuffix = kReportSuffix;
    if (services_.dialogs->openFile(OD))
        LoadReport(OD.fileName);
}

void TWel_Kor::LoadReport(const QString& fileName)
{
    // Everything is checked before anything changes: a file that is not a
    // usable report leaves the current one on screen untouched.
    const std::string bytes = ReadFileBytes(fileName, static_cast<qint64>(welkor::kMaxReportFileBytes));
    welkor::OpenedReport opened = welkor::ReportDocument::Open(bytes);
    if (!opened.ok())
        throw UserError(FromCp1250(std::string(welkor::kReportNotOpened)).arg(fileName, FromCp1250(opened.problem)));

    if (!ConfirmDiscardUnsavedWork(UnsavedScope::Report))
        return;

    setWindowTitle(productCaption + QStringLiteral(" - ") + fileName);
    ClearThreshold(); // no threshold of an earlier plate beside this one
    report = std::move(*opened.document);
    ShowReport();
    FindRange();
    RecolourPlate();
    UpdateLegend();
    RefreshTemplateOverlay();
    MarkReportSaved(CurrentSaveDocument(), fileName, bytes);
    if (opened.readAsUtf8)
        services_.dialogs->information(Utf8ReportNotice(fileName, QString::fromUtf8(opened.unstorable)));
}

bool TWel_Kor::AcceptUnstorableCharacters(const QString& fileKind, const QString& goAhead)
{
    // Characters the file cannot hold would silently become "?".
    QString unstorable = CharactersOutsideCp1250(CommentMemoLines().join(QString()));
    for (int r = 0; r < welkor::kGridRows; ++r)
        for (int c = 0; c < welkor::kGridColumns; ++c)
            unstorable = CharactersOutsideCp1250(sgEdycja->cell(c, r), unstorable);
    return unstorable.isEmpty()
        || services_.dialogs->askYesNo(
            QStringLiteral("Uwaga!"),
            QStringLiteral("Tych znaków nie da się zapisać w pliku %1 (strona kodowa 1250): %2\r\n"
                           "Zostaną zapisane jako „?”.\r\nCzy mimo to %3?")
                .arg(fileKind, unstorable, goAhead));
}

void TWel_Kor::Zapisz1Click()
{
    if (!report.hasData()) {
        services_.dialogs->information(QStringLiteral("Brak danych!"));
        return;
    }
    SD.filter = kReportFilter;
    SD.title = QStringLiteral("Zapis wyników");
    SD.defaultSuffix = kReportSuffix;

    if (!AcceptUnstorableCharacters(QStringLiteral("raportu"), QStringLiteral("zapisać raport")))
        return;

    TakeTypedWork();
    if (welkor::HasMarkerLine(report.commentLines()))
        services_.dialogs->information(
            QStringLiteral("Wiersz komentarza „Kon_Kom_Pap” zostanie zapisany ze spacją na końcu: "
                           "to słowo oznacza w pliku początek bloku analizy."));

    // The edit grid gets its leading blanks before the dialog opens, whatever
    // the user answers there.
    const welkor::GridTexts before = report.editGrid();
    welkor::ReportLines document = report.Save();
    sgEdycja->applyChanges(before, report.editGrid());
    // Everything saved opens again: a report past the reading limit is not written.
    const std::string bytes = welkor::JoinReportLines(document);
    if (const std::string problem = welkor::SavedReportProblem(bytes); !problem.empty())
        throw UserError(FromCp1250(problem));

    SD.fileName = OfferedFileName(kReportSuffix);
    SD.filterIndex = 0;
    if (!services_.dialogs->saveFile(SD))
        return;
    const QString fileName = SD.fileName;
    if (!ConfirmReplaceReport(fileName))
        return;
    const QString note = WriteFileAtomically(fileName, bytes);
    MarkReportSaved(std::move(document), fileName, bytes);
    if (!note.isEmpty())
        services_.dialogs->information(note);
}

void TWel_Kor::sgDaneSelectCell(int column, int row)
{
    firstCornerColumn = static_cast<std::uint8_t>(column);
    firstCornerRow = static_cast<std::uint8_t>(row);
}

void TWel_Kor::sgDaneMouseDown()
{
    copySourceIsDane = true;
    Edycja1->setVisible(false);
    N8->setVisible(false);
}

} // namespace welkor::gui
