// welkor-lumo-cli krzywa run as a process on R's DNase calibration: the
// concentrations against R's own 4PL fit and its judgement of which readings
// lie outside the curve's response (0.02531 to 1.71606), the standards from
// the saved marks, and what cannot be computed.
#include "CliProcess.h"
#include "../helpers/DNasePlate.h"

#include "core/document/ReportDocument.h"
#include "core/report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using dnase::kSamples;
using dnase::Sample;

std::string DNaseReport() { return dnase::Report(); }
QString StandardsOption() { return QString::fromStdString(dnase::StandardsOption()); }

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
            doc.setEditCell(c, r, dnase::StandardMark(r - 1));
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

    // The weighted 5PL of this plate has no minimum.
    const CliRun runaway = Cli({QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), StandardsOption(),
                                QStringLiteral("--model"), QStringLiteral("5pl"), QStringLiteral("--waga"),
                                QStringLiteral("1/y2"), QStringLiteral("-o"), out});
    EXPECT_EQ(runaway.exitCode, 1);
    EXPECT_TRUE(runaway.err.contains(QStringLiteral("nie zbiegło się"))) << runaway.err.toStdString();
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
