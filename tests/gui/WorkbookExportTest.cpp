// Excel workbooks of welkor-lumo-cli and of the window's "Eksportuj", read
// back by openpyxl and compared with what the window shows.
#include "CommandLineFixture.h"

#include "qtbase/QtText.h"

namespace {

// A cell as openpyxl read it (null when empty, else [data_type, value]) and
// the window's cell: a number where the program reads one, else the text
// without the blanks around it.
void ExpectSheetCell(const QJsonValue& read, const QString& shown, const std::string& where)
{
    const std::string text = ToCp1250(shown);
    long double value = 0;
    const QString trimmed = FromCp1250(std::string(welkor::WithoutBlanks(text)));
    if (welkor::TryStrToFloat(text, value))
        EXPECT_EQ(read, QJsonValue(QJsonArray{QStringLiteral("n"), static_cast<double>(value)})) << where << text;
    else
        EXPECT_EQ(read, trimmed.isEmpty() ? QJsonValue() : QJsonValue(QJsonArray{QStringLiteral("s"), trimmed})) << where;
}

// The workbook of each report read back by openpyxl, the program run in a
// Polish locale (a decimal comma): sheet "Płytka" holds the window's table
// (numbers as number cells under the column numbers and beside the row
// letters, state words as texts), its analysis grid and its comment; sheet
// "Tabela długa" the long table's rows, numbers as numbers.
} // namespace

TEST_F(CommandLine, WorkbookReadsBackAsTheWindowsTablesAndTheLongTable)
{
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                            : QStringLiteral("python3");
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3 with openpyxl is not installed (scripts/install-deps.sh installs python3-openpyxl)";
    // A Polish locale made for this run alone (glibc reads it from LOCPATH).
    QDir().mkpath(Path(QStringLiteral("locale")));
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("pl_PL"), QStringLiteral("-f"),
                                                  QStringLiteral("UTF-8"), Path(QStringLiteral("locale/pl_PL.UTF-8"))});
    if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0)
        GTEST_SKIP() << "localedef cannot make pl_PL.UTF-8 (scripts/install-deps.sh installs locales): "
                     << localedef.readAllStandardError().toStdString();
    QProcessEnvironment polish = QProcessEnvironment::systemEnvironment();
    polish.insert(QStringLiteral("LOCPATH"), Path(QStringLiteral("locale")));
    polish.insert(QStringLiteral("LC_ALL"), QStringLiteral("pl_PL.UTF-8"));

    const QStringList reports = Reports(3); // the third generated one analysed
    const QStringList format{QStringLiteral("eksport"), QStringLiteral("--format")};
    const CliRun run = Cli(format + QStringList{QStringLiteral("xlsx"), QStringLiteral("-o"), Path(QStringLiteral("xlsx"))}
                               + reports, {}, polish);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const CliRun longTable = Cli(format + QStringList{QStringLiteral("dlugi")} + reports);
    const QStringList longRows = QString::fromUtf8(longTable.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(longRows.size(), 1 + 96 * reports.size());

    QStringList arguments{QStringLiteral("-c"),
                          QStringLiteral("import json, sys, openpyxl\n"
                                         "def read(name):\n"
                                         "    book = openpyxl.load_workbook(name)\n"
                                         "    return [book.sheetnames] + [[[None if c.value is None else [c.data_type, c.value]\n"
                                         "        for c in row] for row in sheet.iter_rows()] for sheet in book.worksheets]\n"
                                         "print(json.dumps([read(name) for name in sys.argv[1:]]))\n")};
    for (const QString& report : reports)
        arguments.push_back(Path(QStringLiteral("xlsx/") + QFileInfo(report).completeBaseName() + QStringLiteral(".xlsx")));
    QProcess openpyxl;
    openpyxl.start(python, arguments);
    ASSERT_TRUE(openpyxl.waitForFinished(120000));
    ASSERT_EQ(openpyxl.exitCode(), 0) << openpyxl.readAllStandardError().toStdString();
    const QJsonArray books = QJsonDocument::fromJson(openpyxl.readAllStandardOutput()).array();
    ASSERT_EQ(books.size(), reports.size());

    for (qsizetype i = 0; i < reports.size(); ++i) {
        const std::string name = reports[i].toStdString() + " ";
        const QJsonArray book = books[i].toArray();
        EXPECT_EQ(book[0], QJsonValue(QJsonArray{QStringLiteral("Płytka"), QStringLiteral("Tabela długa")}));
        const QJsonArray plate = book[1].toArray();
        const QJsonArray table = book[2].toArray();

        // The table at the sheet's corner, headings included; then "Analiza"
        // and the edit grid.
        TWel_Kor& w = Open(reports[i]);
        for (const auto& [grid, top] : {std::pair<StringGrid*, int>{w.tsTabela->sgDane, 0}, std::pair<StringGrid*, int>{w.tsTabela->sgEdycja, 11}})
            for (int r = 0; r <= 8; ++r)
                for (int c = 0; c <= 12; ++c)
                    ExpectSheetCell(plate[top + r][c], grid->cell(c, r), name + std::to_string(top + r + 1) + ":" + std::to_string(c + 1));
        EXPECT_EQ(plate[10][0], QJsonValue(QJsonArray{QStringLiteral("s"), QStringLiteral("Analiza")}));

        // The comment as the memo holds it (a control character other than a
        // tab is a blank, as in every file the program writes).
        EXPECT_EQ(plate[21][0], QJsonValue(QJsonArray{QStringLiteral("s"), QStringLiteral("Komentarz")}));
        const QStringList comment = w.tsRaport->mKomentarz->toPlainText().split(QLatin1Char('\n')).mid(1);
        ASSERT_EQ(plate.size(), 22 + comment.size()) << name;
        for (qsizetype k = 0; k < comment.size(); ++k) {
            QString line = comment[k];
            for (QChar& ch : line)
                if (ch.unicode() < 0x20 && ch != QLatin1Char('\t'))
                    ch = QLatin1Char(' ');
            EXPECT_EQ(plate[22 + k][0], line.isEmpty() ? QJsonValue() : QJsonValue(QJsonArray{QStringLiteral("s"), line}));
        }

        // The long table: its heading and this report's 96 rows, the column
        // and the value as numbers.
        ASSERT_EQ(table.size(), 97) << name;
        for (int k = 0; k <= 96; ++k) {
            const QStringList f = longRows[k == 0 ? 0 : 96 * i + k].split(QLatin1Char(','));
            ASSERT_EQ(f.size(), 7);
            for (int field = 0; field < 7; ++field) {
                const bool number = k > 0 && (field == 3 || field == 4) && !f[field].isEmpty();
                const QJsonValue cell = f[field].isEmpty() ? QJsonValue()
                    : number ? QJsonValue(QJsonArray{QStringLiteral("n"), f[field].toDouble()})
                             : QJsonValue(QJsonArray{QStringLiteral("s"), f[field]});
                EXPECT_EQ(table[k][field], cell) << name << f.join(',').toStdString();
            }
        }
    }
}

// "Eksportuj" offers a workbook after the five text types; the file it writes
// holds what `eksport --format xlsx` writes for the report (the parts of the
// workbook but its creation time), under the report's file name.
TEST_F(CommandLine, EksportujAsAWorkbookIsTheCommandLinesWorkbook)
{
    const QString report = Reports(1).last();
    TWel_Kor& w = Open(report);
    dialogs.fileAnswers.push_back(Path(QStringLiteral("okno.xlsx")));
    dialogs.filterAnswers.push_back(5);
    w.commands->Zapisz2->trigger();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    ASSERT_EQ(dialogs.fileDialogsShown.size(), 1);
    EXPECT_TRUE(dialogs.fileDialogsShown[0].filter.endsWith(
        QStringLiteral("|Plik formatowany (*.rtf)|*.rtf|Skoroszyt programu Excel (*.xlsx)|*.xlsx")));

    QProcess cli; // run where the report is, so that its name is typed as the window shows it
    cli.setWorkingDirectory(dir.path());
    cli.setStandardOutputFile(Path(QStringLiteral("cli.xlsx")));
    cli.start(QStringLiteral(WELKOR_CLI), {QStringLiteral("eksport"), QStringLiteral("--format"), QStringLiteral("xlsx"),
                                           QFileInfo(report).fileName()});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    QProcess parts;
    parts.start(QStringLiteral("python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import sys, zipfile\n"
                                "def parts(name):\n"
                                "    z = zipfile.ZipFile(name)\n"
                                "    return {n: z.read(n) for n in z.namelist() if n != 'docProps/core.xml'}\n"
                                "a, b = parts(sys.argv[1]), parts(sys.argv[2])\n"
                                "print(len(a), a == b)\n"),
                 Path(QStringLiteral("okno.xlsx")), Path(QStringLiteral("cli.xlsx"))});
    ASSERT_TRUE(parts.waitForFinished(60000));
    EXPECT_EQ(parts.readAllStandardOutput().trimmed().split(' ').value(1), "True")
        << parts.readAllStandardError().toStdString();
}
