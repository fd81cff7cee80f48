// welkor-lumo-cli run as a process, against the window doing the same thing:
// the same export bytes, the same saved analysis, the same refusals, the
// same well colours and the same fetched report.
#include "CommandLineFixture.h"

TEST_F(CommandLine, ExportIsTheWindowsExportByteForByte)
{
    for (const QString& report : Reports(12)) {
        TWel_Kor& w = Open(report);
        dialogs.fileAnswers = {Path(QStringLiteral("okno.txt"))};
        dialogs.yesNoAnswers = {true};
        w.commands->Zapisz2->trigger();
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();

        const CliRun run = Cli({QStringLiteral("eksport"), QStringLiteral("--format"), QStringLiteral("rap-txt"), report});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, ReadFile(QStringLiteral("okno.txt"))) << report.toStdString();
    }
}

TEST_F(CommandLine, AnalysisIsTheWindowsPrzeniesMarksAnalizujAndZapisz)
{
    std::mt19937 random(4);
    for (const QString& report : Reports(6)) {
        QFile file(report);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::vector<welkor::WellPosition> wells = NumericWells(file.readAll(), random, 4);
        const std::vector<welkor::WellPosition> negatives(wells.begin(), wells.begin() + 3);
        const std::vector<welkor::WellPosition> positives(wells.begin() + 3, wells.end());

        TWel_Kor& w = Open(report);
        dialogs.yesNoAnswers = {true}; // an analysed report asks before its marks go
        w.commands->tbPrzenies->click();
        w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
        for (const welkor::WellPosition& well : negatives)
            TypeIntoCell(w.tsTabela->sgEdycja, well.column + 1, well.row + 1, QStringLiteral("neg"));
        TypeIntoCell(w.tsTabela->sgEdycja, positives[0].column + 1, positives[0].row + 1, QStringLiteral("poz"));
        w.commands->tbAnalizuj->click();
        dialogs.fileAnswers = {Path(QStringLiteral("okno.rap"))};
        dialogs.yesNoAnswers = {true};
        w.commands->tbZapiszRaport->click();
        ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();

        const QString result = Path(QStringLiteral("cli.rap"));
        const CliRun run = Cli({QStringLiteral("analizuj"), report, QStringLiteral("--neg"), WellList(negatives),
                             QStringLiteral("--poz"), WellList(positives), QStringLiteral("-o"), result});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(ReadFile(QStringLiteral("cli.rap")), ReadFile(QStringLiteral("okno.rap"))) << report.toStdString();
        QStringList summary = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
        EXPECT_EQ(summary.value(0), w.sbPanels[3]->text());
        // The exact threshold where the panel cuts it, as its tool tip gives it.
        if (!w.sbPanels[3]->toolTip().isEmpty()) {
            EXPECT_EQ(summary.takeAt(1), w.sbPanels[3]->toolTip());
        }
        std::vector<welkor::WellPosition> rowByRow = negatives;
        std::sort(rowByRow.begin(), rowByRow.end(),
                  [](auto& a, auto& b) { return a.row * 12 + a.column < b.row * 12 + b.column; });
        EXPECT_EQ(summary.value(1), QStringLiteral("neg: ") + WellList(rowByRow).replace(QLatin1Char(','), QLatin1Char(' ')));
    }
}

TEST_F(CommandLine, LongTableOfAFolderGivesBackTheValuesAndRefusesAsTheWindow)
{
    const QStringList reports = Reports(5);
    WriteFile(QStringLiteral("krotki.rap"), "Welkor Lumo 1\r\nDATE\r\n");
    const QString refused = Path(QStringLiteral("krotki.rap"));
    Open(refused);
    ASSERT_EQ(dialogs.errors.size(), 1);

    const CliRun run = Cli({QStringLiteral("eksport"), QStringLiteral("--format=dlugi"), dir.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, dialogs.errors.first() + QLatin1Char('\n'));

    const QStringList rows = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 1 + 96 * reports.size());
    EXPECT_EQ(rows[0], QStringLiteral("plik,studzienka,wiersz,kolumna,wartosc,stan,znacznik"));
    int row = 1;
    const QStringList byName = reports.mid(1) << reports.first(); // gen00.rap ... przyklad.rap
    for (const QString& report : byName) {
        TWel_Kor& w = Open(report);
        for (int r = 1; r <= 8; ++r) {
            for (int c = 1; c <= 12; ++c, ++row) {
                const QStringList f = rows[row].split(QLatin1Char(','));
                ASSERT_EQ(f.size(), 7) << rows[row].toStdString();
                EXPECT_EQ(f[0], report);
                EXPECT_EQ(f[1], f[2] + f[3]);
                const std::string shown = ToCp1250(w.tsTabela->sgDane->cell(c, r));
                long double value = 0;
                if (welkor::TryStrToFloat(shown, value)) {
                    EXPECT_EQ(f[5], QStringLiteral("liczba"));
                    EXPECT_EQ(f[4].toDouble(), static_cast<double>(value)) << rows[row].toStdString();
                } else {
                    EXPECT_EQ(f[5], QString::fromStdString(shown).trimmed().toLower());
                    EXPECT_TRUE(f[4].isEmpty());
                }
                const QString mark = w.tsTabela->sgEdycja->cell(c, r).trimmed();
                const bool marked = !w.report.freshMeasurement()
                    && (mark == QStringLiteral("neg") || mark == QStringLiteral("poz") || mark == QStringLiteral("poniżej"));
                EXPECT_EQ(f[6], marked ? mark : QString()) << rows[row].toStdString();
            }
        }
    }

    // A report just under the reading limit would be saved past it with its
    // analysis block: refused, nothing written.
    std::mt19937 random(5);
    QByteArray huge = GeneratedReport(random, false);
    const QByteArray line = QByteArray(1000, 'x') + "\r\n";
    huge += line.repeated(static_cast<qsizetype>((welkor::kMaxReportFileBytes - huge.size()) / line.size()));
    huge += QByteArray(static_cast<qsizetype>(welkor::kMaxReportFileBytes) - huge.size() - 2, 'y') + "\r\n";
    WriteFile(QStringLiteral("duzy.rap"), huge);
    const CliRun big = Cli({QStringLiteral("analizuj"), Path(QStringLiteral("duzy.rap")), QStringLiteral("--neg"),
                            QStringLiteral("A1"), QStringLiteral("-o"), Path(QStringLiteral("duzy-wynik.rap"))});
    EXPECT_EQ(big.exitCode, 1);
    EXPECT_TRUE(big.err.contains(QStringLiteral("program otwiera raporty do 16 MiB"))) << big.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("duzy-wynik.rap"))));
    QFile::remove(Path(QStringLiteral("duzy.rap")));

    // A refused file named alone: its message, exit status 1, nothing written.
    const CliRun one = Cli({QStringLiteral("analizuj"), refused, QStringLiteral("--neg"), QStringLiteral("A1"),
                         QStringLiteral("-o"), Path(QStringLiteral("nic.rap"))});
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(one.err, dialogs.errors.first() + QLatin1Char('\n'));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("nic.rap"))));
    const CliRun check = Cli({QStringLiteral("sprawdz"), reports.first(), refused});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(check.out), reports.first() + QStringLiteral(": ok\n") + refused + QStringLiteral(": ")
                                                + dialogs.errors.first().section(QLatin1Char('\n'), 1) + QLatin1Char('\n'));
}

// The 8 x 12 plate as pandas reads it with its defaults: the row letters, then
// twelve columns of numbers, a well without a number missing (NaN).
TEST_F(CommandLine, PlateCsvReadsAsTwelveNumberColumnsInPandas)
{
    // The system's Python, which Debian's python3-pandas serves (PATH may lead
    // to another one first).
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                            : QStringLiteral("python3");
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import pandas")});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3 with pandas is not installed (scripts/install-deps.sh installs python3-pandas)";

    QStringList reports = Reports(4);
    // A column of state words only, signs, an exponent and a dangling comma.
    welkor::ReportLines lines = {"Welkor Lumo 1", "Program: ELISA", "P\xB3ytka: 7", "Tryb: pojedynczy",
                                 "DATE: 08.12.2026 TIME: 09:12:44", "OPERATOR: Marvant"};
    const char* odd[] = {" -0,015", " +1,5E-3", " 2,", " ,5", " BLANK", " under", " Over", " 12345678,9"};
    for (int c = 1; c <= 12; ++c) {
        std::string line = "Kolumna " + std::to_string(c);
        for (int r = 0; r < 8; ++r)
            line += std::string(c == 1 ? odd[r] : c == 12 ? (r % 2 ? " over" : " blank") : " 0,1" + std::to_string(r)) + "\t";
        lines.push_back(line);
    }
    WriteFile(QStringLiteral("stany.rap"), QByteArray::fromStdString(welkor::JoinReportLines(lines)));
    reports.push_back(Path(QStringLiteral("stany.rap")));

    const CliRun run = Cli(QStringList{QStringLiteral("eksport"), QStringLiteral("--format"), QStringLiteral("csv"),
                                       QStringLiteral("-o"), Path(QStringLiteral("csv"))}
                           + reports);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    // Each file as pandas.read_csv reads it with its defaults, as JSON.
    const QString reader = QStringLiteral(
        "import json, sys\n"
        "import pandas\n"
        "def read(name):\n"
        "    df = pandas.read_csv(name)\n"
        "    return {'columns': [str(c) for c in df.columns],\n"
        "            'dtypes': [str(t) for t in df.dtypes],\n"
        "            'rows': [str(v) for v in df.iloc[:, 0]],\n"
        "            'values': [[None if pandas.isna(v) else v if isinstance(v, str) else float(v) for v in row]\n"
        "                       for row in df.iloc[:, 1:].itertuples(index=False)]}\n"
        "print(json.dumps([read(name) for name in sys.argv[1:]]))\n");
    QStringList arguments{QStringLiteral("-c"), reader};
    for (const QString& report : reports)
        arguments.push_back(Path(QStringLiteral("csv/") + QFileInfo(report).completeBaseName() + QStringLiteral(".csv")));
    QProcess pandas;
    pandas.start(python, arguments);
    ASSERT_TRUE(pandas.waitForFinished(120000));
    ASSERT_EQ(pandas.exitCode(), 0) << pandas.readAllStandardError().toStdString();
    const QJsonArray files = QJsonDocument::fromJson(pandas.readAllStandardOutput()).array();
    ASSERT_EQ(files.size(), reports.size());

    QStringList numberColumns{QStringLiteral("wiersz")};
    for (int c = 1; c <= 12; ++c)
        numberColumns.push_back(QString::number(c));
    for (qsizetype i = 0; i < reports.size(); ++i) {
        const QString& report = reports[i];
        const QJsonObject read = files[i].toObject();

        QStringList columns, dtypes;
        for (const QJsonValue& v : read[QStringLiteral("columns")].toArray())
            columns.push_back(v.toString());
        for (const QJsonValue& v : read[QStringLiteral("dtypes")].toArray())
            dtypes.push_back(v.toString());
        EXPECT_EQ(columns, numberColumns);
        EXPECT_EQ(dtypes, QStringList{QStringLiteral("object")} + QStringList(12, QStringLiteral("float64")))
            << report.toStdString();

        TWel_Kor& w = Open(report);
        const QJsonArray rows = read[QStringLiteral("values")].toArray();
        ASSERT_EQ(rows.size(), 8);
        for (int r = 1; r <= 8; ++r) {
            EXPECT_EQ(read[QStringLiteral("rows")].toArray()[r - 1].toString(), QString(QLatin1Char('A' + r - 1)));
            const QJsonArray row = rows[r - 1].toArray();
            ASSERT_EQ(row.size(), 12);
            for (int c = 1; c <= 12; ++c) {
                const std::string shown = ToCp1250(w.tsTabela->sgDane->cell(c, r));
                long double value = 0;
                if (welkor::TryStrToFloat(shown, value))
                    EXPECT_DOUBLE_EQ(row[c - 1].toDouble(), static_cast<double>(value)) << shown;
                else
                    EXPECT_TRUE(row[c - 1].isNull()) << shown;
            }
        }
    }
}

TEST_F(CommandLine, PictureWellsHaveThePlatePagesFills)
{
    const QString report = Reports(1).last();
    for (const bool glow : {false, true}) {
        TWel_Kor& w = Open(report);
        w.tsMikroplytka->cbZarzenie->setChecked(glow);
        w.tsMikroplytka->cbZarzenieClick();
        const QImage page = w.tsMikroplytka->grab().toImage();

        const QString png = Path(QStringLiteral("plyta.png"));
        const CliRun run = Cli({QStringLiteral("obraz"), QStringLiteral("-"), QStringLiteral("-o"), png,
                             QStringLiteral("--skala"), glow ? QStringLiteral("zarzenia") : QStringLiteral("barwy")},
                            ReadFile(QStringLiteral("gen00.rap")));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage picture(png);
        ASSERT_FALSE(picture.isNull());
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 12; ++c) {
                const QPoint centre(55 + 33 * c + 15, 55 + 33 * r + 15);
                EXPECT_EQ(picture.pixel(centre), page.pixel(centre)) << glow << " " << r << " " << c;
                // Two pixels in: the thick outline of an extreme well, else the fill.
                const QPoint ring = centre - QPoint(0, 13);
                EXPECT_EQ(picture.pixel(ring), page.pixel(ring)) << glow << " " << r << " " << c;
            }
        }
        // The legend's extreme shapes, wherever each picture puts them.
        const int legendLeft = 55 + 12 * 33 + 24 + 15;
        EXPECT_EQ(picture.pixel(legendLeft, 55 + 3 * 33 + 15),
                  page.pixel(w.tsMikroplytka->sMaksymalna->mapTo(w.tsMikroplytka.get(), QPoint(15, 15))));
        EXPECT_EQ(picture.pixel(legendLeft, 55 + 4 * 33 + 2),
                  page.pixel(w.tsMikroplytka->sMinimalna->mapTo(w.tsMikroplytka.get(), QPoint(15, 2))));
    }
}

namespace {

// A reader that answers the fetch with one frame.
class FrameReader : public ReaderLink {
public:
    std::string frame;
    bool configured() const override { return true; }
    ReaderAnswer exchange(const std::string&, QWidget*) override { return {ReaderAnswer::Outcome::Answered, frame, {}, {}}; }
};

} // namespace

TEST_F(CommandLine, TransmissionSavesWhatTheWindowsFetchSaves)
{
    QFile example(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    FrameReader reader;
    reader.frame = welkor::FrameTransmission(welkor::SplitReportText(example.readAll().toStdString()));
    this->reader = &reader;
    WriteFile(QStringLiteral("Operator.ini"), "Operator:\r\nEwa Nowak\r\n");
    TWel_Kor& w = Start();
    w.commands->tbPobierz->click();
    dialogs.fileAnswers = {Path(QStringLiteral("okno.rap"))};
    w.commands->Zapisz1->trigger();
    ASSERT_TRUE(dialogs.errors.isEmpty() && dialogs.informations.isEmpty());

    // No --operator: the name comes from the user's Operator.ini, where the
    // window keeps it too.
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("konfiguracja/welkor-lumo"))));
    WriteFile(QStringLiteral("konfiguracja/welkor-lumo/Operator.ini"), "Operator:\r\nEwa Nowak\r\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("konfiguracja")));
    const QDate before = QDate::currentDate();
    const CliRun run = Cli({QStringLiteral("transmisja"), QStringLiteral("-")}, QByteArray::fromStdString(reader.frame),
                           environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    welkor::ReportLines cli = welkor::SplitReportText(run.out.toStdString());
    welkor::ReportLines windows = welkor::SplitReportText(ReadFile(QStringLiteral("okno.rap")).toStdString());
    ASSERT_EQ(cli.size(), windows.size());
    const QString date = QString::fromStdString(cli[4]).section(QLatin1Char(' '), 1, 1);
    EXPECT_TRUE(date == TransmissionDate(QLocale::system(), before)
                || date == TransmissionDate(QLocale::system(), QDate::currentDate()))
        << cli[4];
    cli[4] = windows[4] = "";
    EXPECT_EQ(cli, windows);

    const CliRun bad = Cli({QStringLiteral("transmisja"), QStringLiteral("-")}, "to nie jest transmisja");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.startsWith(QStringLiteral("-: Nieprawidłowa transmisja."))) << bad.err.toStdString();
    EXPECT_TRUE(bad.out.isEmpty());
}

// A captured answer whose start was lost (a program stopped listening half
// way): it begins at a blank and ends as a frame, but its plate columns have
// moved up a line. It is refused, and nothing is written.
TEST_F(CommandLine, TransmissionOfAnAnswersTailIsRefused)
{
    QFile example(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const std::string frame = welkor::FrameTransmission(welkor::SplitReportText(example.readAll().toStdString()));
    const std::string tail = frame.substr(frame.find(' ', frame.find('\x03')));
    WriteFile(QStringLiteral("ogon.bin"), QByteArray::fromStdString(tail));

    const CliRun run = Cli({QStringLiteral("transmisja"), Path(QStringLiteral("ogon.bin")), QStringLiteral("-o"),
                            Path(QStringLiteral("ogon.rap"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), Path(QStringLiteral("ogon.bin")) + QStringLiteral(": Nieprawidłowa transmisja.\n"
                                 "Odebrane dane nie są raportem z pomiaru: wiersze 7-18 zawierają 88 wartości, a płytka ma 96 dołków."));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("ogon.rap"))));
}
