// Opening and saving reports through the window: the dialogs, the load
// pipeline, the bytes written, and the files that are refused without
// disturbing the report on screen.
#include "WindowFixture.h"

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

namespace {

const QString kFilter = QStringLiteral("Raport z pomiaru (*.rap)");
const char kLetters[] = "ABCDEFGH";

// ---- Test data ---------------------------------------------------------------

// The value the sample report gives well (row, column), both 0-based, as its
// value token (with the leading blank).
QByteArray SampleToken(int row, int column) { return " 0," + QByteArray::number(100 + column * 10 + row); }

// Splits file bytes at CR LF; every line, the last included, must end so.
QList<QByteArray> CrLfLines(const QByteArray& bytes)
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

QByteArray JoinCrLf(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

// File bytes with every byte outside printable ASCII escaped and a real line
// break after each CR LF, so a failed comparison shows a line diff.
std::string Readable(const QByteArray& bytes)
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
std::string Readable(const QList<QByteArray>& lines) { return Readable(JoinCrLf(lines)); }

// Lines 0-17 of the sample report: header, date, operator, value lines.
QList<QByteArray> SampleHead() { return CrLfLines(SampleReport()).mid(0, 18); }

// The data cell (column 1-12, row 1-8) of the analysis stored in SavedReport:
// negative controls in C1-E1, positive ones in F1-H1, every third sample well
// marked as below the threshold.
QByteArray StoredCell(int column, int row)
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
QList<QByteArray> AnalysisLines(bool readBack, const std::function<QByteArray(int, int)>& cell = StoredCell)
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
QList<QByteArray> SavedReportLines()
{
    QList<QByteArray> lines = SampleHead();
    lines << kCommentDone << kCommentDilution << "Kon_Kom_Pap" << "" << "Analiza";
    lines << AnalysisLines(false);
    return lines;
}

QByteArray SavedReport() { return JoinCrLf(SavedReportLines()); }

// ---- Window state --------------------------------------------------------------

// Everything a load may change, to show that a refused file changed nothing.
struct Shown {
    QString caption;
    bool dataPresent = false;
    bool freshMeasurement = false;
    QString reportMemo;
    QString commentMemo;
    welkor::GridTexts dane;
    welkor::GridTexts edycja;
    std::array<welkor::ShapeLook, 96> wells;
    int upper = 0;
    int lower = 0;
    welkor::ReportLines reportLines;
    welkor::ReportLines displayedLines;
    welkor::ValueTable values;
    welkor::GridTexts stored;
};

Shown Capture(const TWel_Kor& w)
{
    Shown s;
    s.caption = w.windowTitle();
    s.dataPresent = w.report.hasData();
    s.freshMeasurement = w.report.freshMeasurement();
    s.reportMemo = w.tsRaport->mOdebrany->toPlainText();
    s.commentMemo = w.tsRaport->mKomentarz->toPlainText();
    s.dane = w.tsTabela->sgDane->texts();
    s.edycja = w.tsTabela->sgEdycja->texts();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 12; ++c)
            s.wells[static_cast<std::size_t>(r * 12 + c)] = w.tsMikroplytka->plateView->well(r, c);
    s.upper = w.tsMikroplytka->tbGorna->value();
    s.lower = w.tsMikroplytka->tbDolna->value();
    s.reportLines = w.report.lines();
    s.displayedLines = w.report.displayedLines();
    s.values = w.report.values();
    s.stored = w.report.storedAnalysis();
    return s;
}

void ExpectSame(const Shown& before, const Shown& after)
{
    EXPECT_EQ(after.caption, before.caption);
    EXPECT_EQ(after.dataPresent, before.dataPresent);
    EXPECT_EQ(after.freshMeasurement, before.freshMeasurement);
    EXPECT_EQ(after.reportMemo, before.reportMemo);
    EXPECT_EQ(after.commentMemo, before.commentMemo);
    EXPECT_EQ(after.dane, before.dane);
    EXPECT_EQ(after.edycja, before.edycja);
    EXPECT_TRUE(after.wells == before.wells) << "plate wells were recoloured";
    EXPECT_EQ(after.upper, before.upper);
    EXPECT_EQ(after.lower, before.lower);
    EXPECT_EQ(after.reportLines, before.reportLines);
    EXPECT_EQ(after.displayedLines, before.displayedLines);
    EXPECT_TRUE(after.values.cells == before.values.cells) << "value table changed";
    EXPECT_EQ(after.stored, before.stored);
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

// =====================================================================================
// Opening
// =====================================================================================

TEST_F(ReportOpenTest, DialogCarriesFilterTitleAndSuffix)
{
    TWel_Kor& w = Start();
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->tbOtworzRaport->click();
    ASSERT_EQ(dialogs.fileDialogsShown.size(), 1);
    EXPECT_EQ(dialogs.fileDialogsShown[0].filter, kFilter);
    EXPECT_EQ(dialogs.fileDialogsShown[0].title, QStringLiteral("Otwieranie wyników"));
    EXPECT_EQ(dialogs.fileDialogsShown[0].defaultSuffix, QStringLiteral("rap"));
}

TEST_F(ReportOpenTest, CancelChangesNothing)
{
    TWel_Kor& w = StartWithEditedReport();
    const Shown before = Capture(w);
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Otwrz1->trigger();
    ExpectSame(before, Capture(w));
    ExpectNoErrors();
}

TEST_F(ReportOpenTest, ReportWithoutAnalysisFillsMemosGridsAndEditGrid)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    ExpectNoErrors();

    EXPECT_EQ(w.windowTitle(), QStringLiteral("Welkor Lumo 1 - ") + Path(QStringLiteral("pomiar.rap")));
    EXPECT_TRUE(w.report.hasData());
    EXPECT_TRUE(w.report.freshMeasurement());

    const QStringList memo = w.tsRaport->mOdebrany->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(memo.size(), 15);
    EXPECT_EQ(memo[0], QStringLiteral("Welkor Lumo 1\tCzytnik mikropłytek"));
    EXPECT_EQ(memo[4], QStringLiteral("DATE: 08.12.2026 TIME: 09:12:44"));
    EXPECT_EQ(memo[5], QStringLiteral("OPERATOR: Marvant"));
    QString heading;
    for (int n = 1; n <= 12; ++n)
        heading += QStringLiteral("\t     ") + QString::number(n);
    EXPECT_EQ(memo[6], heading);
    for (int r = 0; r < 8; ++r) {
        QString row = QString(QLatin1Char(kLetters[r]));
        for (int c = 0; c < 12; ++c)
            row += QLatin1Char('\t') + QString::fromLatin1(SampleToken(r, c));
        EXPECT_EQ(memo[7 + r], row);
    }
    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText(), QStringLiteral("Komentarz\nPomiar kontrolny"));

    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 12; ++c) {
            const QString value = QString::fromLatin1(SampleToken(r - 1, c - 1));
            EXPECT_EQ(w.tsTabela->sgDane->cell(c, r), value) << c << "," << r;
            EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, r), value) << c << "," << r;
        }
    // The edit grid takes the measured grid's headings as they are.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QString());
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, 0), QString::number(c));
    for (int r = 1; r <= 8; ++r)
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, r), QString(QLatin1Char(kLetters[r - 1])));
}

TEST_F(ReportOpenTest, ReportWithAnalysisFillsTheEditGridFromIt)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("analiza.rap"), SavedReport());
    Open(w, QStringLiteral("analiza.rap"));
    ExpectNoErrors();

    EXPECT_FALSE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QStringLiteral(" "));
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, 0), QStringLiteral(" ") + QString::number(c));
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, r), QStringLiteral(" ") + QLatin1Char(kLetters[r - 1]));
        for (int c = 1; c <= 12; ++c)
            EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, r), FromCp1250(StoredCell(c, r).toStdString())) << c << "," << r;
    }
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" poniżej"));
    // The measured grid still shows the measurement, not the analysis.
    EXPECT_EQ(w.tsTabela->sgDane->cell(1, 3), QStringLiteral(" 0,102"));

    // The comment memo holds the comment only; the edit grid shows the block.
    const QStringList comment = w.tsRaport->mKomentarz->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(comment.size(), 1 + 2);
    EXPECT_EQ(comment[0], QStringLiteral("Komentarz"));
    EXPECT_EQ(comment[1], QStringLiteral("Transmisja zakończona powodzeniem."));
    EXPECT_FALSE(comment.contains(QStringLiteral("Analiza")));
    EXPECT_FALSE(comment.contains(QStringLiteral("Kon_Kom_Pap")));
}

// A report another program saved in UTF-8 shows its letters, and the user
// learns that a save writes the reader's code page.
TEST_F(ReportOpenTest, Utf8ReportShowsItsLettersAndSaysHowItWillBeSaved)
{
    TWel_Kor& w = Start();
    // The whole file as a modern editor saves it: "mikropłytek" in UTF-8 too.
    const QByteArray utf8 = SampleReport().replace("\xB3", "\xC5\x82") + QStringLiteral("Próbka zażółcona Ñ\r\n").toUtf8();
    WriteFile(QStringLiteral("utf8.rap"), utf8);
    Open(w, QStringLiteral("utf8.rap"));
    ExpectNoErrors();
    ASSERT_EQ(dialogs.informations.size(), 1);
    EXPECT_TRUE(dialogs.informations[0].contains(QStringLiteral("w kodowaniu UTF-8"))) << dialogs.informations[0].toStdString();
    EXPECT_TRUE(dialogs.informations[0].contains(QStringLiteral("stronie kodowej 1250")));
    EXPECT_TRUE(dialogs.informations[0].endsWith(QStringLiteral(": Ñ"))) << dialogs.informations[0].toStdString();
    EXPECT_TRUE(w.tsRaport->mKomentarz->toPlainText().endsWith(QStringLiteral("Próbka zażółcona ?")));

    Save(w, QStringLiteral("zapisany.rap"));
    EXPECT_TRUE(ReadFile(QStringLiteral("zapisany.rap")).contains("Pr\xF3" "bka za\xBF\xF3\xB3" "cona ?\r\n"));
}

TEST_F(ReportOpenTest, MarkerTooCloseToTheEndIsNoAnalysisBlock)
{
    const struct {
        const char* what;
        QList<QByteArray> tail;
    } cases[] = {
        {"marker on the last line", {"uwaga", "Kon_Kom_Pap"}},
        {"marker on the second-to-last line", {"Kon_Kom_Pap", ""}},
    };
    for (const auto& c : cases) {
        TWel_Kor& w = Start();
        WriteFile(QStringLiteral("krotki.rap"), JoinCrLf(SampleHead() + c.tail));
        Open(w, QStringLiteral("krotki.rap"));
        ExpectNoErrors();
        EXPECT_TRUE(w.report.freshMeasurement()) << c.what;
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1")) << c.what;
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" 0,100")) << c.what;
    }
}

TEST_F(ReportOpenTest, LineEndsOfAnyKindAndTheEndAtNul)
{
    QByteArray lfOnly = SampleReport();
    lfOnly.replace("\r\n", "\n");
    QByteArray crOnly = SampleReport();
    crOnly.replace("\r\n", "\r");
    QByteArray noFinalEnd = JoinCrLf(SampleHead());
    noFinalEnd.chop(2);
    static const char junk[] = "\0\x01\x02\x1B\r\nKolumna x\t";
    const QByteArray junkAfterNul = SampleReport() + QByteArray(junk, sizeof junk - 1);

    const struct {
        const char* what;
        QByteArray bytes;
        QString comment;
    } cases[] = {
        {"LF only", lfOnly, QStringLiteral("Komentarz\nPomiar kontrolny")},
        {"CR only", crOnly, QStringLiteral("Komentarz\nPomiar kontrolny")},
        {"18 lines, the last without an end", noFinalEnd, QStringLiteral("Komentarz")},
        {"binary bytes after a NUL", junkAfterNul, QStringLiteral("Komentarz\nPomiar kontrolny")},
    };
    for (const auto& c : cases) {
        TWel_Kor& w = Start();
        WriteFile(QStringLiteral("konce.rap"), c.bytes);
        Open(w, QStringLiteral("konce.rap"));
        ExpectNoErrors();
        EXPECT_TRUE(w.report.hasData()) << c.what;
        EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText(), c.comment) << c.what;
        EXPECT_EQ(w.tsTabela->sgDane->cell(12, 8), QStringLiteral(" 0,217")) << c.what;
        dialogs.errors.clear();
    }
}

// A well the new report gives no token must not show the previous plate.
TEST_F(ReportOpenTest, EachLoadStartsFromAnEmptyValueTable)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pelny.rap"), SampleReport());
    Open(w, QStringLiteral("pelny.rap"));
    ASSERT_EQ(w.tsTabela->sgDane->cell(12, 8), QStringLiteral(" 0,217"));

    QList<QByteArray> lines = CrLfLines(SampleReport());
    lines[17] = "Kol 12 0,1\t 0,2\t 0,3\t 0,4\t"; // rows A-D only
    WriteFile(QStringLiteral("niepelny.rap"), JoinCrLf(lines));
    Open(w, QStringLiteral("niepelny.rap"));
    ExpectNoErrors();

    EXPECT_EQ(w.tsTabela->sgDane->cell(12, 4), QStringLiteral(" 0,4"));
    for (int r = 5; r <= 8; ++r) {
        EXPECT_EQ(w.tsTabela->sgDane->cell(12, r), QString()) << r;
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(12, r), QString()) << r;
        EXPECT_EQ(w.report.values().at(r - 1, 11), std::string()) << r;
    }
    const QStringList memo = w.tsRaport->mOdebrany->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(memo.size(), 15);
    EXPECT_TRUE(memo[7 + 7].endsWith(QStringLiteral(" 0,207\t"))) << memo[14].toStdString();
}

// =====================================================================================
// Refused files: a message naming the file, the report on screen untouched
// =====================================================================================

QByteArray WithoutValues()
{
    QList<QByteArray> lines = SampleHead();
    for (int i = 6; i < 18; ++i)
        lines[i] = "Kolumna " + QByteArray::number(i - 5) + " brak odczytu";
    return JoinCrLf(lines);
}

QByteArray WithValue(const QByteArray& token)
{
    QByteArray bytes = SampleReport();
    bytes.replace(" 0,217\t", token + "\t"); // well H12, the last one read
    return bytes;
}

QByteArray WithLine(int index, const QByteArray& line)
{
    QList<QByteArray> lines = CrLfLines(SampleReport());
    lines[index] = line;
    return JoinCrLf(lines);
}

QByteArray WithByte(const QByteArray& line, char byte, qsizetype at)
{
    QByteArray bytes = SampleReport();
    const qsizetype pos = bytes.indexOf(line);
    bytes.insert(pos + at, byte);
    return bytes;
}

TEST_F(ReportRefusedTest, BadContentLeavesThePreviousReport)
{
    const QList<QByteArray> all = CrLfLines(SampleReport());
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"only NUL bytes", QByteArray(64, '\0')},
        {"one line", QByteArray("Welkor Lumo 1")},
        {"17 lines", JoinCrLf(all.mid(0, 17))},
        {"NUL cutting the value lines", SampleReport().left(SampleReport().indexOf("Kol 9")) + QByteArray(1, '\0') +
                                            SampleReport().mid(SampleReport().indexOf("Kol 9"))},
        {"18 empty lines", QByteArray("\r\n").repeated(18)},
        {"value lines without a single value", WithoutValues()},
        {"control byte in a value", WithByte("Kol 5", '\x01', 10)},
        {"word instead of a number", WithValue(" abc")},
        {"number followed by letters", WithValue(" 1,2x")},
        {"full stop as decimal separator", WithValue(" 1.5")},
        {"blank token", WithValue(" ")},
        {"two tabs in a row", WithValue("\t")},
        {"tab with no blank before it on its line", WithLine(6, "Kol1\t 0,1\t")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TWel_Kor& w = StartWithEditedReport();
        ExpectNoErrors();
        const Shown before = Capture(w);

        WriteFile(QStringLiteral("zly.rap"), c.bytes);
        Open(w, QStringLiteral("zly.rap"));
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].contains(Path(QStringLiteral("zly.rap")))) << dialogs.errors[0].toStdString();
        ExpectSame(before, Capture(w));
        dialogs.errors.clear();
    }
}

// Failures of the file itself rather than of its content.
TEST_F(ReportRefusedTest, UnreadableFilesLeaveThePreviousReport)
{
    const QString name = Path(QStringLiteral("plik.rap"));
    auto sparseReport = [name](qint64 size) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(SampleReport());
        ASSERT_TRUE(file.resize(size)); // sparse: the zeros are not written
    };
    const struct {
        const char* what;
        std::function<void()> make; // creates the file (or not)
    } cases[] = {
        {"missing file", [] {}},
        {"directory", [name] { ASSERT_TRUE(QDir().mkdir(name)); }},
        {"file one byte over the size limit",
         [&] { sparseReport(static_cast<qint64>(welkor::kMaxReportFileBytes) + 1); }},
        {"50 MB file", [&] { sparseReport(qint64{50} * 1000 * 1000); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TWel_Kor& w = StartWithEditedReport();
        const Shown before = Capture(w);
        c.make();

        Open(w, QStringLiteral("plik.rap"));
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot open file \"") + name))
            << dialogs.errors[0].toStdString();
        ExpectSame(before, Capture(w));

        dialogs.errors.clear();
        if (QFileInfo(name).isDir())
            QDir(name).removeRecursively();
        else
            QFile::remove(name);
    }
}

// The limit itself is allowed: a report padded with NULs up to it loads.
TEST_F(ReportRefusedTest, FileOfExactlyTheSizeLimitLoads)
{
    TWel_Kor& w = Start();
    {
        QFile file(Path(QStringLiteral("graniczny.rap")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(SampleReport());
        ASSERT_TRUE(file.resize(static_cast<qint64>(welkor::kMaxReportFileBytes)));
    }
    Open(w, QStringLiteral("graniczny.rap"));
    ExpectNoErrors();
    EXPECT_TRUE(w.report.hasData());
    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText(), QStringLiteral("Komentarz\nPomiar kontrolny"));
    QFile::remove(Path(QStringLiteral("graniczny.rap")));
}

TEST_F(ReportRefusedTest, FileWithoutReadPermission)
{
    TWel_Kor& w = StartWithEditedReport();
    const Shown before = Capture(w);
    const QString name = Path(QStringLiteral("zamkniety.rap"));
    WriteFile(QStringLiteral("zamkniety.rap"), SampleReport());
    ASSERT_TRUE(QFile::setPermissions(name, QFileDevice::Permissions{}));
    if (QFile probe(name); probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "the file can still be read without permissions (running as root); "
                        "SocketThatCannotBeOpened covers a failing open";

    Open(w, QStringLiteral("zamkniety.rap"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot open file \"") + name));
    ExpectSame(before, Capture(w));
}

// A socket in the file system exists but cannot be opened, whoever runs this.
TEST_F(ReportRefusedTest, SocketThatCannotBeOpened)
{
    TWel_Kor& w = StartWithEditedReport();
    const Shown before = Capture(w);
    const QByteArray name = Path(QStringLiteral("gniazdo.rap")).toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

    Open(w, QStringLiteral("gniazdo.rap"));
    ::close(fd);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot open file \"") + QString::fromLocal8Bit(name)))
        << dialogs.errors[0].toStdString();
    ExpectSame(before, Capture(w));
}

TEST_F(ReportRefusedTest, RefusedFirstLoadKeepsTheStartState)
{
    TWel_Kor& w = Start();
    const Shown before = Capture(w);
    WriteFile(QStringLiteral("krotki.rap"), "tylko jeden wiersz\r\n");
    Open(w, QStringLiteral("krotki.rap"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    ExpectSame(before, Capture(w));

    // Nothing was loaded, so there is nothing to save.
    w.commands->Zapisz1->trigger();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak danych!")});
}

TEST_F(ReportRefusedTest, ReportStaysSavableAfterARefusedLoad)
{
    TWel_Kor& w = StartWithEditedReport();
    WriteFile(QStringLiteral("pusty.rap"), QByteArray());
    Open(w, QStringLiteral("pusty.rap"));
    ASSERT_EQ(dialogs.errors.size(), 1);
    dialogs.errors.clear();

    Save(w, QStringLiteral("po_bledzie.rap"));
    ExpectNoErrors();
    const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("po_bledzie.rap")));
    ASSERT_GE(lines.size(), 18);
    EXPECT_EQ(Readable(lines.mid(0, 18)), Readable(SampleHead()));
    EXPECT_TRUE(lines.contains("Notatka operatora"));
}

// =====================================================================================
// Saving
// =====================================================================================

TEST_F(ReportSaveTest, NothingLoadedMeansNoData)
{
    TWel_Kor& w = Start();
    w.commands->tbZapiszRaport->click();
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Brak danych!")});
    EXPECT_TRUE(dialogs.fileDialogsShown.isEmpty());
    ExpectNoErrors();
}

// The save offers the current report's own file, never a name chosen for
// another plate; after "save as" the new file is the report's.
TEST_F(ReportSaveTest, DialogCarriesTitleFilterSuffixAndTheReportsOwnName)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    WriteFile(QStringLiteral("drugi.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    dialogs.fileDialogsShown.clear();

    Save(w, QStringLiteral("pierwszy.rap"));
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    Open(w, QStringLiteral("drugi.rap"));
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    ASSERT_EQ(dialogs.fileDialogsShown.size(), 4);
    for (const FileDialogState& shown : {dialogs.fileDialogsShown[0], dialogs.fileDialogsShown[1], dialogs.fileDialogsShown[3]}) {
        EXPECT_EQ(shown.title, QStringLiteral("Zapis wyników"));
        EXPECT_EQ(shown.filter, kFilter);
        EXPECT_EQ(shown.defaultSuffix, QStringLiteral("rap"));
    }
    EXPECT_EQ(dialogs.fileDialogsShown[0].fileName, Path(QStringLiteral("pomiar.rap")));
    EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, Path(QStringLiteral("pierwszy.rap")));
    EXPECT_EQ(dialogs.fileDialogsShown[3].fileName, Path(QStringLiteral("drugi.rap")));
    ExpectNoErrors();
}

// Another program rewrote the report after it was opened: the overwrite
// question says so, and "Nie" keeps that program's content.
TEST_F(ReportSaveTest, AFileChangedOnDiskSinceItWasOpenedIsNamedInTheQuestion)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    const QByteArray theirs = SampleReport() + "Dopisane w innym programie\r\n";
    WriteFile(QStringLiteral("pomiar.rap"), theirs);

    Save(w, QStringLiteral("pomiar.rap"), false);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("zmienił się na dysku"))) << dialogs.questions[0].toStdString();
    EXPECT_TRUE(dialogs.questions[0].contains(Path(QStringLiteral("pomiar.rap"))));
    EXPECT_EQ(ReadFile(QStringLiteral("pomiar.rap")), theirs);

    // "Tak" replaces it; the next save of the unchanged file asks the usual question.
    Save(w, QStringLiteral("pomiar.rap"), true);
    EXPECT_NE(ReadFile(QStringLiteral("pomiar.rap")), theirs);
    Save(w, QStringLiteral("pomiar.rap"), true);
    ASSERT_EQ(dialogs.questions.size(), 3);
    EXPECT_TRUE(dialogs.questions[2].startsWith(QStringLiteral("Uwaga!|Już istnieje plik o nazwie:"))) << dialogs.questions[2].toStdString();
    ExpectNoErrors();
}

// A saved report with an analysis, loaded and saved again: the bytes are
// fixed down to the code page 1250 letters, the no-break space in the
// comment, the CR LF line ends and the headings now read back with blanks.
TEST_F(ReportSaveTest, SavedReportSavedAgainGivesExactBytes)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("wzor.rap"), SavedReport());
    Open(w, QStringLiteral("wzor.rap"));
    Save(w, QStringLiteral("kopia.rap"));
    ExpectNoErrors();

    QList<QByteArray> expected = SampleHead();
    expected << kCommentDone << kCommentDilution << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(true);
    const QByteArray written = ReadFile(QStringLiteral("kopia.rap"));
    EXPECT_FALSE(written.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(Readable(written), Readable(expected));
    EXPECT_TRUE(written.contains("zako\xF1" "czona"));
    EXPECT_TRUE(written.contains(" poni\xBF" "ej\t"));

    // Saving once more changes nothing: the format has settled.
    Open(w, QStringLiteral("kopia.rap"));
    Save(w, QStringLiteral("kopia2.rap"));
    ExpectNoErrors();
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("kopia2.rap"))), Readable(written));
}

TEST_F(ReportSaveTest, MarksTypedIntoTheEditGridGetALeadingBlank)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    w.tsTabela->sgEdycja->setCell(2, 3, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(3, 3, QStringLiteral(" neg"));
    w.tsTabela->sgEdycja->setCell(4, 3, QString());
    w.tsTabela->sgEdycja->setCell(5, 3, QStringLiteral("poniżej progu"));
    Save(w, QStringLiteral("znaczniki.rap"));
    ExpectNoErrors();

    auto cell = [](int column, int row) -> QByteArray {
        if (row == 3) {
            switch (column) {
            case 2: return " neg";
            case 3: return " neg";
            case 4: return " ";
            case 5: return " poni\xBF" "ej\xA0progu"; // read back whole
            }
        }
        return SampleToken(row - 1, column - 1);
    };
    QList<QByteArray> expected = CrLfLines(SampleReport());
    expected << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(false, cell);
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("znaczniki.rap"))), Readable(expected));

    // The blanks stay in the edit grid itself.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 3), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(3, 3), QStringLiteral(" neg"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(4, 3), QStringLiteral(" "));
    // Headings are written as they are.
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 1), QStringLiteral("A"));
}

TEST_F(ReportSaveTest, CancelledDialogWritesNothingButTheBlanksStay)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("poz"));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    dialogs.fileAnswers.push_back(std::nullopt);
    w.commands->Zapisz1->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 1), QStringLiteral(" poz"));
    EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(ReportSaveTest, OverwriteQuestionAndBothAnswers)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    const QByteArray old = "stary raport\r\n";
    WriteFile(QStringLiteral("istnieje.rap"), old);
    const QString question = QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n") +
                             Path(QStringLiteral("istnieje.rap")) + QStringLiteral("\r\nCzy mimo to go nadpisać?");

    w.tsTabela->sgEdycja->setCell(6, 6, QStringLiteral("neg"));
    Save(w, QStringLiteral("istnieje.rap"), false);
    EXPECT_EQ(dialogs.questions, QStringList{question});
    EXPECT_EQ(ReadFile(QStringLiteral("istnieje.rap")), old);
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(6, 6), QStringLiteral(" neg"));
    EXPECT_EQ(dialogs.fileDialogsShown.size(), 2) << "the dialog must not be shown again after No";

    Save(w, QStringLiteral("istnieje.rap"), true);
    EXPECT_EQ(dialogs.questions, (QStringList{question, question}));
    const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("istnieje.rap")));
    ASSERT_EQ(lines.size(), 18 + 1 + 3 + 9);
    EXPECT_EQ(Readable(lines.mid(0, 18)), Readable(SampleHead()));
    EXPECT_TRUE(lines[22 + 6].contains("\t neg\t")) << lines[22 + 6].toStdString();
    ExpectNoErrors();
}

TEST_F(ReportSaveTest, NewFileIsWrittenWithoutAQuestion)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    Save(w, QStringLiteral("nowy.rap"));
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(CrLfLines(ReadFile(QStringLiteral("nowy.rap"))).size(), 31);
    ExpectNoErrors();
}

TEST_F(ReportSaveTest, UnwritableTargetsReportAndKeepWhatExists)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("katalog.rap")));
    WriteFile(QStringLiteral("katalog.rap/w_srodku.txt"), "zawartosc");
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    const struct {
        const char* what;
        QString name;
    } cases[] = {
        {"path in a missing directory", QStringLiteral("brak/raport.rap")},
        // A directory is refused at once: no question about overwriting it.
        {"name of a directory", QStringLiteral("katalog.rap")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.errors.clear();
        dialogs.questions.clear();
        Save(w, c.name, std::nullopt);
        EXPECT_TRUE(dialogs.questions.isEmpty());
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot create file \"") + Path(c.name)))
            << dialogs.errors[0].toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("brak"))));
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("katalog.rap"))).isDir());
    EXPECT_EQ(ReadFile(QStringLiteral("katalog.rap/w_srodku.txt")), QByteArray("zawartosc"));
    EXPECT_EQ(QDir(Path(QStringLiteral("katalog.rap"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("w_srodku.txt")});
    // No half-written or temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), filesBefore);
    EXPECT_EQ(ReadFile(QStringLiteral("pomiar.rap")), SampleReport());
}

// A report that already holds an analysis gets exactly one block, the
// current one; comment lines typed before the old block are kept.
TEST_F(ReportSaveTest, OldAnalysisBlockIsReplacedNotRepeated)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("analiza.rap"), SavedReport());
    Open(w, QStringLiteral("analiza.rap"));
    InsertCommentLine(w, 2, QStringLiteral("Wynik sprawdził: J. Nowak"));
    w.tsTabela->sgEdycja->setCell(7, 7, QStringLiteral("poz"));
    Save(w, QStringLiteral("ponownie.rap"));
    ExpectNoErrors();

    const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("ponownie.rap")));
    EXPECT_EQ(lines.count("Kon_Kom_Pap"), 1);
    EXPECT_EQ(lines.count("Analiza"), 1);
    auto cell = [](int column, int row) { return column == 7 && row == 7 ? QByteArray(" poz") : StoredCell(column, row); };
    QList<QByteArray> expected = SampleHead();
    expected << kCommentDone << kCommentDilution << "Wynik sprawdzi\xB3: J. Nowak"
             << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(true, cell);
    EXPECT_EQ(Readable(lines), Readable(expected));

    Open(w, QStringLiteral("ponownie.rap"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(7, 7), QStringLiteral(" poz"));
    EXPECT_FALSE(w.report.freshMeasurement());
}

TEST_F(ReportSaveTest, ReportMemoEditsAreNotSavedCommentEditsAre)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
    Open(w, QStringLiteral("pomiar.rap"));
    w.tsRaport->mOdebrany->setPlainText(QStringLiteral("przepisany raport\nOPERATOR: ktoś inny"));
    w.tsRaport->mKomentarz->appendPlainText(QStringLiteral("Dopisek: próbka mętna"));
    Save(w, QStringLiteral("memo.rap"));
    ExpectNoErrors();

    QList<QByteArray> expected = CrLfLines(SampleReport());
    expected << "Dopisek: pr\xF3" "bka m\xEAtna" << "Kon_Kom_Pap" << "" << "Analiza";
    expected << AnalysisLines(false, [](int c, int r) { return SampleToken(r - 1, c - 1); });
    EXPECT_EQ(Readable(ReadFile(QStringLiteral("memo.rap"))), Readable(expected));
}

// The comment is written as the memo holds it, minus its first line.
TEST_F(ReportSaveTest, CommentMemoLinesAsWritten)
{
    const struct {
        const char* what;
        QString memo;
        QList<QByteArray> comment;
    } cases[] = {
        {"empty memo", QString(), {}},
        {"heading only", QStringLiteral("Komentarz"), {}},
        {"heading deleted: every line is the user's", QStringLiteral("pierwszy\ndrugi"), {"pierwszy", "drugi"}},
        {"line break typed with Shift+Enter", QStringLiteral("Komentarz\ngóra") + QChar(QChar::LineSeparator) +
                                                   QStringLiteral("dół"),
         {"g\xF3ra", "d\xF3\xB3"}},
        {"no-break space kept", QStringLiteral("Komentarz\n12") + QChar(QChar::Nbsp) + QStringLiteral("345 komórek"),
         {"12\xA0" "345 kom\xF3rek"}},
        {"empty lines kept", QStringLiteral("Komentarz\n\nśrodek\n"), {"", "\x9Crodek", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TWel_Kor& w = Start();
        WriteFile(QStringLiteral("pomiar.rap"), SampleReport());
        Open(w, QStringLiteral("pomiar.rap"));
        w.tsRaport->mKomentarz->setPlainText(c.memo);
        QFile::remove(Path(QStringLiteral("k.rap")));
        Save(w, QStringLiteral("k.rap"));
        ExpectNoErrors();
        const QList<QByteArray> lines = CrLfLines(ReadFile(QStringLiteral("k.rap")));
        ASSERT_EQ(lines.size(), 18 + c.comment.size() + 3 + 9);
        EXPECT_EQ(lines.mid(18, c.comment.size()), c.comment);
        EXPECT_EQ(lines[18 + c.comment.size()], QByteArray("Kon_Kom_Pap"));
    }
}

// =====================================================================================
// Round trip
// =====================================================================================

TEST_F(ReportRoundTripTest, PrzeniesTypeSaveLoadRestoresTheEditGrid)
{
    TWel_Kor& w = Start();
    WriteFile(QStringLiteral("analiza.rap"), SavedReport());
    Open(w, QStringLiteral("analiza.rap"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" poniżej"));

    // "Przenieś" drops the stored analysis for the measured values.
    dialogs.yesNoAnswers = {true};
    w.tbPrzeniesClick();
    EXPECT_TRUE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(2, 1), QStringLiteral(" 0,110"));
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(1, 0), QStringLiteral("1"));

    w.tsTabela->sgEdycja->setCell(1, 2, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(1, 3, QStringLiteral("neg"));
    w.tsTabela->sgEdycja->setCell(12, 8, QStringLiteral("poz"));
    w.tsTabela->sgEdycja->setCell(6, 4, QString());
    Save(w, QStringLiteral("obieg.rap"));
    ExpectNoErrors();

    // Something else in between, so the grid really comes from the file.
    WriteFile(QStringLiteral("inny.rap"), SampleReport());
    Open(w, QStringLiteral("inny.rap"));
    ASSERT_EQ(w.tsTabela->sgEdycja->cell(1, 2), QStringLiteral(" 0,101"));

    Open(w, QStringLiteral("obieg.rap"));
    ExpectNoErrors();
    EXPECT_FALSE(w.report.freshMeasurement());
    EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, 0), QStringLiteral(" "));
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, 0), QStringLiteral(" ") + QString::number(c));
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(w.tsTabela->sgEdycja->cell(0, r), QStringLiteral(" ") + QLatin1Char(kLetters[r - 1]));
        for (int c = 1; c <= 12; ++c) {
            QString expected = QString::fromLatin1(SampleToken(r - 1, c - 1));
            if (c == 1 && (r == 2 || r == 3))
                expected = QStringLiteral(" neg");
            else if (c == 12 && r == 8)
                expected = QStringLiteral(" poz");
            else if (c == 6 && r == 4)
                expected = QStringLiteral(" ");
            EXPECT_EQ(w.tsTabela->sgEdycja->cell(c, r), expected) << c << "," << r;
        }
    }
    // The comment of the first file came through once, without the old block.
    EXPECT_EQ(w.tsRaport->mKomentarz->toPlainText().count(QStringLiteral("Analiza")), 0);
    EXPECT_TRUE(w.tsRaport->mKomentarz->toPlainText().startsWith(QStringLiteral("Komentarz\nTransmisja zakończona powodzeniem.\n")));
}

} // namespace
