#pragma once

// welkor-lumo-cli run as a process beside the window: the runner, generated
// reports as readers and earlier saves leave them, and the fixture that
// opens a report in the window.
#include "CellTyping.h"
#include "CliProcess.h"
#include "WindowFixture.h"

#include "core/document/ReportDocument.h"
#include "core/reader/Transmission.h"
#include "core/report/ReportFile.h"
#include "core/report/WellName.h"
#include "core/text/NumberText.h"
#include "gui/analysis/EditGrid.h"
#include "gui/plate/PlateView.h"
#include "gui/reader/ReaderLink.h"
#include "qtbase/ClockTexts.h"
#include "gui/widgets/CircleShape.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <random>

using namespace welkor::gui;

// A report as readers and earlier saves leave them: values with a decimal
// comma, state words in either case, a negative and an exponent now and
// then, a comment with Polish letters, no-break spaces, tabs and a form feed;
// when `analysed`, saved once with an analysis (marks " neg", " poz",
// " poniżej" in the block).
inline QByteArray GeneratedReport(std::mt19937& random, bool analysed)
{
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    welkor::ReportLines lines = {"Welkor Lumo 1\tCzytnik mikrop\xB3ytek\tnr " + std::to_string(pick(9000)),
                                 "Program: ELISA IgG, 450 nm", "P\xB3ytka: PL-" + std::to_string(pick(100000)),
                                 "Tryb odczytu: pojedynczy", "DATE: 08.12.2026 TIME: 09:12:44",
                                 "OPERATOR: Ma\xB3gorzata Wi\x9Cniewska"};
    const char* states[] = {" blank", " BLANK", " under", " Over"};
    for (int c = 1; c <= 12; ++c) {
        std::string line = "Kolumna " + std::to_string(c);
        for (int r = 0; r < 8; ++r) {
            const int kind = pick(40);
            std::string value = " " + std::to_string(pick(3)) + "," + std::to_string(100 + pick(900));
            if (kind < 3)
                value = states[pick(4)];
            else if (kind == 3)
                value = " -0,0" + std::to_string(10 + pick(90));
            else if (kind == 4)
                value = " 1,5E-" + std::to_string(1 + pick(3));
            line += value + "\t";
        }
        lines.push_back(line);
    }
    const char* comments[] = {"Kontrole ujemne: C1-E1.", "Surowica rozcie\xF1" "czona 1:100,\tinkubacja 30 min",
                              "Wynik\xA0" "nast\xEApny  dzie\xF1", "Strona\x0C" "druga", "  wci\xEAty wiersz"};
    for (int i = pick(4); i > 0; --i)
        lines.push_back(comments[pick(5)]);
    if (!analysed)
        return QByteArray::fromStdString(welkor::JoinReportLines(lines));

    welkor::ReportDocument doc = *welkor::ReportDocument::Open(welkor::JoinReportLines(lines)).document;
    doc.Transfer();
    for (int i = 0; i < 8; ++i)
        doc.setEditCell(1 + pick(12), 1 + pick(8), i < 5 ? "neg" : "poz");
    welkor::ControlCounts counts;
    doc.Analyse(counts, [](const std::string&) {});
    return QByteArray::fromStdString(doc.SavedBytes());
}

// Wells of a report that hold a number, picked at random.
inline std::vector<welkor::WellPosition> NumericWells(const QByteArray& report, std::mt19937& random, int count)
{
    const welkor::ReportDocument doc = *welkor::ReportDocument::Open(report.toStdString()).document;
    std::vector<welkor::WellPosition> wells;
    while (static_cast<int>(wells.size()) < count) {
        const welkor::WellPosition well{static_cast<int>(random() % 8), static_cast<int>(random() % 12)};
        long double value = 0;
        if (welkor::TryStrToFloat(doc.values().at(well.row, well.column), value)
            && std::find(wells.begin(), wells.end(), well) == wells.end())
            wells.push_back(well);
    }
    return wells;
}

inline QString WellList(const std::vector<welkor::WellPosition>& wells)
{
    QStringList names;
    for (const welkor::WellPosition& well : wells)
        names.push_back(QString::fromStdString(welkor::WellName(well.row, well.column)));
    return names.join(QLatin1Char(','));
}

class CommandLine : public WindowTest {
protected:
    // The example report and generated ones (every third analysed), as files.
    QStringList Reports(int generated)
    {
        std::mt19937 random(16);
        QFile::copy(QStringLiteral(WELKOR_EXAMPLES_DIR "/pomiar_przyklad.rap"), Path(QStringLiteral("przyklad.rap")));
        QStringList names{Path(QStringLiteral("przyklad.rap"))};
        for (int i = 0; i < generated; ++i) {
            const QString name = QStringLiteral("gen%1.rap").arg(i, 2, 10, QLatin1Char('0'));
            WriteFile(name, GeneratedReport(random, i % 3 == 2));
            names.push_back(Path(name));
        }
        return names;
    }

    TWel_Kor& Open(const QString& report)
    {
        window.reset();
        TWel_Kor& w = Start();
        w.Guarded([&] { w.files->LoadReport(report); });
        return w;
    }
};
