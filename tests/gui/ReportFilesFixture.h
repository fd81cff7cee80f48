#pragma once

// What the report file tests share: test data, the window state a refused
// file must leave alone, and the fixture.
#include "WindowFixture.h"
#include "WindowState.h"

#include "core/report/ReportFile.h"
#include "gui/analysis/EditGrid.h"
#include "gui/plate/PlateView.h"
#include "gui/widgets/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

using namespace welkor::gui;

const QString kFilter = QStringLiteral("Raport z pomiaru (*.rap)");
const char kLetters[] = "ABCDEFGH";

// ---- Test data ---------------------------------------------------------------

// The value the sample report gives well (row, column), both 0-based, as its
// value token (with the leading blank).
inline QByteArray SampleToken(int row, int column) { return " 0," + QByteArray::number(100 + column * 10 + row); }

// Splits file bytes at CR LF; every line, the last included, must end so.
inline QList<QByteArray> CrLfLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0) {
            ADD_FAILURE() << "line without CR LF at the end of the file: " << bytes.mid(start).toStdString();
            lines.push_back(bytes.mid(start));
            break;
        }
        lines.push_back(bytes.mid(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline QByteArray JoinCrLf(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

// File bytes with every byte outside printable ASCII escaped and a real line
// break after each CR LF, so a failed comparison shows a line diff.
inline std::string Readable(const QByteArray& bytes)
{
    std::string out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out += "\\r\\n\n";
            ++i;
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}
inline std::string Readable(const QList<QByteArray>& lines) { return Readable(JoinCrLf(lines)); }

// Lines 0-17 of the sample report: header, date, operator, value lines.
inline QList<QByteArray> SampleHead() { return CrLfLines(SampleReport()).mid(0, 18); }

// The data cell (column 1-12, row 1-8) of the analysis stored in SavedReport:
// negative controls in C1-E1, positive ones in F1-H1, every third sample well
// marked as below the threshold.
inline QByteArray StoredCell(int column, int row)
{
    if (column == 1 && row >= 3 && row <= 5)
        return " neg";
    if (column == 1 && row >= 6)
        return " poz";
    if ((column + row) % 3 == 0)
        return " poni\xBF" "ej";
    return SampleToken(row - 1, column - 1);
}

// The nine analysis lines of a save. `readBack` selects how the headings look:
// false for a grid filled from the measured grid ("1", "A", empty corner),
// true for one restored from a saved file (" 1", " A", " ").
inline QList<QByteArray> AnalysisLines(bool readBack, const std::function<QByteArray(int, int)>& cell = StoredCell)
{
    QList<QByteArray> lines;
    QByteArray heading = " ";
    for (int c = 0; c <= 12; ++c) {
        QByteArray text = c == 0 ? QByteArray() : QByteArray::number(c);
        heading += "     " + (readBack ? " " + text : text) + "\t";
    }
    lines.push_back(heading);
    for (int r = 1; r <= 8; ++r) {
        const QByteArray letter(1, kLetters[r - 1]);
        QByteArray line = " " + (readBack ? " " + letter : letter) + "\t";
        for (int c = 1; c <= 12; ++c)
            line += cell(c, r) + "\t";
        lines.push_back(line);
    }
    return lines;
}

const QByteArray kCommentDone = "Transmisja zako\xF1" "czona powodzeniem.";
const QByteArray kCommentDilution = "Rozcie\xF1" "czenie 1\xA0" "000 razy, \xBF\xF3\xB3ty bufor.";

// A report as a first save writes it after an analysis: comment, marker,
// empty line, "Analiza" and the analysis lines with unprefixed headings.
inline QList<QByteArray> SavedReportLines()
{
    QList<QByteArray> lines = SampleHead();
    lines << kCommentDone << kCommentDilution << "Kon_Kom_Pap" << "" << "Analiza";
    lines << AnalysisLines(false);
    return lines;
}

inline QByteArray SavedReport() { return JoinCrLf(SavedReportLines()); }

// ---- Window state --------------------------------------------------------------

// The edit grid's headings as a stored analysis gives them back: a blank
// corner, " 1" to " 12" and " A" to " H".
inline void ExpectStoredHeadings(const TWel_Kor& w)
{
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QStringLiteral(" "));
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, 0), QStringLiteral(" ") + QString::number(c));
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, r), QStringLiteral(" ") + QLatin1Char(kLetters[r - 1]));
}

// ---- Fixture -------------------------------------------------------------------

class ReportFilesTest : public WindowTest {
protected:
    // "Otwórz" with the dialog answering `name` (in the temporary directory).
    void Open(TWel_Kor& w, const QString& name)
    {
        dialogs.fileAnswers.push_back(Path(name));
        w.commands->Otwrz1->trigger();
    }

    // "Zapisz" with the dialog answering `name`; `overwrite` answers the
    // "Uwaga!" question if one is asked.
    void Save(TWel_Kor& w, const QString& name, std::optional<bool> overwrite = std::nullopt)
    {
        dialogs.fileAnswers.push_back(Path(name));
        if (overwrite)
            dialogs.yesNoAnswers.push_back(*overwrite);
        w.commands->Zapisz1->trigger();
    }

    void ExpectNoErrors() const
    {
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
    }

    // A good report loaded, then touched the way a user would (a mark in the
    // edit grid, a line under the comment heading), so a later refused load
    // can be seen to leave every part of it alone.
    TWel_Kor& StartWithEditedReport()
    {
        TWel_Kor& w = Start();
        WriteFile(QStringLiteral("dobry.rap"), SavedReport());
        Open(w, QStringLiteral("dobry.rap"));
        w.tsTabela->sgEdycja->setCell(4, 2, QStringLiteral("neg"));
        InsertCommentLine(w, 0, QStringLiteral("Notatka operatora"));
        return w;
    }

    // Types a new line into the comment memo after line `after` (0 = the
    // heading), the way the keyboard does it: the rest of the memo is untouched.
    static void InsertCommentLine(TWel_Kor& w, int after, const QString& text)
    {
        QTextCursor cursor(w.tsRaport->mKomentarz->document()->findBlockByNumber(after));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertBlock();
        cursor.insertText(text);
    }
};

class ReportOpenTest : public ReportFilesTest {};
class ReportSaveTest : public ReportFilesTest {};
class ReportRoundTripTest : public ReportFilesTest {};
class ReportRefusedTest : public ReportFilesTest {};
