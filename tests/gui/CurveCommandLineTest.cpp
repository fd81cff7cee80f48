// welkor-lumo-cli krzywa run as a process on a real public ELISA calibration:
// R's datasets::DNase, run 1 as the 16 standards, runs 2 and 3 as samples.
// The concentrations are compared with R 4.2.2's own 4PL fit of run 1,
//   nls(density ~ A + (B - A)/(1 + exp((xmid - log(conc))/scal)), Run == 1)
// read off with conc = exp(xmid)·((A − B)/(y − B) − 1)^scal, and with R's
// judgement of which readings lie outside the curve's response between the
// lowest and the highest standard (0.02531 to 1.71606).
#include "CliProcess.h"

#include "core/document/ReportDocument.h"
#include "core/report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kConcentrations[8] = {0.04882812, 0.1953125, 0.390625, 0.78125, 1.5625, 3.125, 6.25, 12.5};
const char* const kRun1[2][8] = {{"0,017", "0,121", "0,206", "0,377", "0,614", "1,019", "1,334", "1,730"},
                                 {"0,018", "0,124", "0,215", "0,374", "0,609", "1,001", "1,364", "1,710"}};

// DNase runs 2 and 3 (duplicates in turn) with R's concentration, or 0 where
// R's reading lies above the curve's range.
struct Sample {
    const char* reading;
    double concentration;
};
const Sample kSamples[32] = {
    {"0,045", 0.0808007943879}, {"0,050", 0.0891426541343}, {"0,137", 0.24603772066},   {"0,123", 0.219399462097},
    {"0,225", 0.425105468237},  {"0,207", 0.386842042129},  {"0,401", 0.846473874523},  {"0,383", 0.799197857534},
    {"0,672", 1.69951307323},   {"0,681", 1.73314582559},   {"1,116", 3.99441005284},   {"1,078", 3.73148394262},
    {"1,554", 8.91637091633},   {"1,526", 8.44123003346},   {"1,932", 0},               {"1,914", 0},
    {"0,070", 0.12330963793},   {"0,068", 0.119837898234},  {"0,173", 0.316869425289},  {"0,165", 0.300839833697},
    {"0,277", 0.540485710711},  {"0,248", 0.475242848351},  {"0,434", 0.935838526518},  {"0,426", 0.913848256673},
    {"0,703", 1.81704726122},   {"0,689", 1.76337545215},   {"1,067", 3.65841089765},   {"1,077", 3.72478631501},
    {"1,629", 10.3732169958},   {"1,479", 7.71336079481},   {"2,003", 0},               {"1,884", 0}};

// Columns 1-2 the standards, 3-6 the samples (8 to a column), G7 and H7 two
// readings below the curve, other wells without a reading.
std::string DNaseReport()
{
    welkor::ReportLines lines = {"Welkor Lumo 1\tCzytnik mikrop\xB3ytek", "Program: ELISA DNase, 450 nm",
                                 "P\xB3ytka: DNase", "Tryb odczytu: pojedynczy", "DATE: 08.12.2026 TIME: 09:12:44",
                                 "OPERATOR: Marvant"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kolumna " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r) {
            std::string value = " blank";
            if (c < 2)
                value = std::string(" ") + kRun1[c][r];
            else if (c < 6)
                value = std::string(" ") + kSamples[(c - 2) * 8 + r].reading;
            else if (c == 6 && r == 6)
                value = " 0,010";
            else if (c == 6 && r == 7)
                value = " 0,020";
            line += value + "\t";
        }
        lines.push_back(line);
    }
    return welkor::JoinReportLines(lines);
}

QString StandardsOption()
{
    QStringList items;
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 8; ++r)
            items.push_back(QStringLiteral("%1%2=%3").arg(QChar('A' + r)).arg(c + 1).arg(kConcentrations[r], 0, 'g', 10));
    return items.join(QLatin1Char(','));
}

class CurveCommandLine : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const std::string& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return Path(name);
    }
};

QList<QByteArrayList> Rows(const QByteArray& csv)
{
    QList<QByteArrayList> rows;
    for (const QByteArray& line : csv.split('\n'))
        if (!line.isEmpty())
            rows.push_back(line.split(','));
    return rows;
}

} // namespace

TEST_F(CurveCommandLine, FourPlConcentrationsAgreeWithAnIndependentFit)
{
    const QString report = Write(QStringLiteral("dnase.rap"), DNaseReport());
    const CliRun run = Cli({QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), StandardsOption(),
                            QStringLiteral("--model"), QStringLiteral("4pl"), QStringLiteral("-o"),
                            Path(QStringLiteral("wynik.csv"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(Path(QStringLiteral("wynik.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    ASSERT_TRUE(csv.startsWith("studzienka,rola,wartosc,stezenie,uwaga\n"));
    const QList<QByteArrayList> rows = Rows(csv);
    ASSERT_EQ(rows.size(), 1 + 16 + 32 + 2);

    int compared = 0, flagged = 0;
    for (const QByteArrayList& row : rows.mid(1)) {
        ASSERT_EQ(row.size(), 5) << row.join(',').toStdString();
        const QByteArray well = row[0];
        const int column = well.mid(1).toInt();
        const int rowIndex = well[0] - 'A';
        if (column <= 2) {
            EXPECT_EQ(row[1], "standard");
            EXPECT_TRUE(row[4].startsWith("nominalne ")) << row[4].toStdString();
            continue;
        }
        EXPECT_EQ(row[1], "pr\xC3\xB3" "bka");
        if (column == 7) { // 0,010 and 0,020: under the lowest standard's response
            EXPECT_EQ(row[3], "");
            EXPECT_EQ(row[4], "poni\xC5\xBC" "ej zakresu");
            ++flagged;
            continue;
        }
        const Sample& sample = kSamples[(column - 3) * 8 + rowIndex];
        EXPECT_EQ(row[2], QByteArray(sample.reading).replace(',', '.'));
        if (sample.concentration == 0) {
            EXPECT_EQ(row[3], "") << well.toStdString();
            EXPECT_EQ(row[4], "powy\xC5\xBC" "ej zakresu");
            ++flagged;
        } else {
            EXPECT_NEAR(row[3].toDouble() / sample.concentration, 1, 1e-5) << well.toStdString();
            EXPECT_EQ(row[4], "");
            ++compared;
        }
    }
    EXPECT_EQ(compared, 28);
    EXPECT_EQ(flagged, 6);
    // The parameters and R² on standard error.
    EXPECT_TRUE(run.err.contains(QStringLiteral("Model: 4PL, bez wag\na = -0.00789717")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("\nR² = 0.99913021")));
    EXPECT_TRUE(run.out.isEmpty());
}

TEST_F(CurveCommandLine, StandardsTypedAndSavedInTheAnalysisGiveTheSameResult)
{
    const QString report = Write(QStringLiteral("dnase.rap"), DNaseReport());
    // Typed into the edit grid as the user types them, "Analizuj", "Zapisz".
    welkor::ReportDocument doc = *welkor::ReportDocument::Open(DNaseReport()).document;
    doc.Transfer();
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 8; ++r)
            doc.setEditCell(c, r, "std " + QString::number(kConcentrations[r - 1], 'g', 10).replace('.', ',').toStdString());
    welkor::ControlCounts counts;
    doc.Analyse(counts, [](const std::string&) {});
    const QString saved = Write(QStringLiteral("zapisany.rap"), doc.SavedBytes());

    const CliRun fromMarks = Cli({QStringLiteral("krzywa"), saved});
    const CliRun fromOption = Cli({QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), StandardsOption()});
    ASSERT_EQ(fromMarks.exitCode, 0) << fromMarks.err.toStdString();
    ASSERT_EQ(fromOption.exitCode, 0) << fromOption.err.toStdString();
    EXPECT_EQ(fromMarks.out, fromOption.out); // the CSV on standard output
    EXPECT_EQ(Rows(fromMarks.out).size(), 51);
}

TEST_F(CurveCommandLine, TheModelAndTheWeightingAreTakenFromTheCommandLine)
{
    const QString report = Write(QStringLiteral("dnase.rap"), DNaseReport());
    auto run = [&](const QStringList& options) {
        return Cli(QStringList{QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), StandardsOption()}
                   + options);
    };
    const QString models[][2] = {{QStringLiteral("5pl"), QStringLiteral("Model: 5PL, bez wag\na =")},
                                 {QStringLiteral("liniowy"), QStringLiteral("Model: liniowy, bez wag\nm =")},
                                 {QStringLiteral("loglog"), QStringLiteral("Model: log-log, bez wag\nm =")},
                                 {QStringLiteral("punkty"), QStringLiteral("Model: punkt-punkt, bez wag\nR² =")}};
    for (const auto& [model, summary] : models) {
        const CliRun result = run({QStringLiteral("--model"), model});
        EXPECT_EQ(result.exitCode, 0) << model.toStdString();
        EXPECT_TRUE(result.err.contains(summary)) << result.err.toStdString();
    }
    const CliRun weighted = run({QStringLiteral("--waga"), QStringLiteral("1/y2")});
    EXPECT_TRUE(weighted.err.contains(QStringLiteral("Model: 4PL, waga 1/y²\na = -0.03288567"))) << weighted.err.toStdString();
    // The weighted 5PL has no minimum: said, nothing written, status 1.
    const CliRun runaway = run({QStringLiteral("--model"), QStringLiteral("5pl"), QStringLiteral("--waga"),
                                QStringLiteral("1/y2"), QStringLiteral("-o"), Path(QStringLiteral("nic.csv"))});
    EXPECT_EQ(runaway.exitCode, 1);
    EXPECT_TRUE(runaway.err.contains(QStringLiteral("nie zbiegło się"))) << runaway.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("nic.csv"))));
}

TEST_F(CurveCommandLine, WhatCannotBeComputedIsToldAndNothingIsWritten)
{
    const QString report = Write(QStringLiteral("dnase.rap"), DNaseReport());
    const QString out = Path(QStringLiteral("wynik.csv"));

    const CliRun unmarked = Cli({QStringLiteral("krzywa"), report, QStringLiteral("-o"), out});
    EXPECT_EQ(unmarked.exitCode, 1);
    EXPECT_TRUE(unmarked.err.contains(QStringLiteral("Nie zaznaczono żadnego standardu"))) << unmarked.err.toStdString();

    const CliRun three = Cli({QStringLiteral("krzywa"), report, QStringLiteral("--standardy"),
                              QStringLiteral("A1=0.04882812,B1=0.1953125,C1=0.390625"), QStringLiteral("-o"), out});
    EXPECT_EQ(three.exitCode, 1);
    EXPECT_TRUE(three.err.contains(QStringLiteral("Model 4PL ma 4 parametry"))) << three.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    const CliRun refused = Cli({QStringLiteral("krzywa"), Write(QStringLiteral("krotki.rap"), "Welkor\r\n")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("nie został otwarty"))) << refused.err.toStdString();
}

TEST_F(CurveCommandLine, AWrongCommandLineIsStatusTwo)
{
    const QString report = Write(QStringLiteral("dnase.rap"), DNaseReport());
    const QStringList wrong[] = {
        {QStringLiteral("krzywa")},
        {QStringLiteral("krzywa"), report, report},
        {QStringLiteral("krzywa"), report, QStringLiteral("--model"), QStringLiteral("6pl")},
        {QStringLiteral("krzywa"), report, QStringLiteral("--waga"), QStringLiteral("1/x")},
        {QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), QStringLiteral("A1=1,5")},
        {QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), QStringLiteral("I1=1")},
        {QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), QStringLiteral("A1=-1")},
        {QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), QStringLiteral("A1=1,A1=2")},
        {QStringLiteral("krzywa"), report, QStringLiteral("--neg"), QStringLiteral("A1")},
    };
    for (const QStringList& args : wrong) {
        const CliRun run = Cli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const CliRun help = Cli({QStringLiteral("krzywa"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("studzienka,rola,wartosc,stezenie,uwaga"));
    EXPECT_TRUE(Cli({QStringLiteral("--help")}).out.contains("krzywa PLIK.rap"));
}
