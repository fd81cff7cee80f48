// "Krzywa standardowa": the dialog on a real ELISA calibration (R's DNase,
// run 1 as 16 standards typed into the window's edit grid, runs 2 and 3 as
// samples, two readings below the curve), its table against
// `welkor-lumo-cli krzywa` run as a process on the same report, the copy, the
// saved files, the plot's pixels and what it says when there is no curve.
#include "CellTyping.h"
#include "CliProcess.h"
#include "../helpers/DNasePlate.h"
#include "WindowFixture.h"

#include "gui/analysis/EditGrid.h"
#include "gui/curve/CurvePlot.h"
#include "gui/curve/StandardCurveDialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

QByteArray DNaseReport() { return QByteArray::fromStdString(dnase::Report()); }

QString StandardMark(int row) { return QString::fromStdString(dnase::StandardMark(row)); }

CliRun Krzywa(const QString& report, const QStringList& options)
{
    CliRun run = Cli(QStringList{QStringLiteral("krzywa"), report, QStringLiteral("--standardy"), QString::fromStdString(dnase::StandardsOption())} + options);
    run.err = run.err.trimmed();
    return run;
}

// The CSV's rows as the dialog's table rows: the same fields, decimal commas.
QList<QStringList> CsvRows(const QByteArray& csv)
{
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(csv).split('\n', Qt::SkipEmptyParts).mid(1)) {
        QStringList fields = line.split(',');
        for (QString& field : fields)
            field.replace('.', ',');
        rows << fields;
    }
    return rows;
}

// Within a little of `colour`: the antialiased edge of a stroke.
bool Near(const QColor& seen, const QColor& colour)
{
    return std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green())
        + std::abs(seen.blue() - colour.blue()) <= 60;
}

QString ClipboardOf(const QList<QStringList>& rows)
{
    QString text = QStringLiteral("Studzienka\tRola\tOdczyt\tStężenie\tUwaga\r");
    for (const QStringList& row : rows)
        text += row.join('\t') + '\r';
    return text;
}

class StandardCurveDialogTest : public WindowTest {
protected:
    // The report opened in the window and the standards typed into its edit
    // grid's cell editor; the last one is still in its editor, uncommitted.
    TWel_Kor& OpenWithTypedStandards()
    {
        WriteFile(QStringLiteral("dnase.rap"), DNaseReport());
        TWel_Kor& w = Start();
        dialogs.fileAnswers = {Path(QStringLiteral("dnase.rap"))};
        w.Otwrz1Click();
        EXPECT_TRUE(w.report.hasData());
        w.pcZakladki->setCurrentWidget(w.tsTabela.tab());
        for (int c = 1; c <= 2; ++c)
            for (int r = 1; r <= 8; ++r) {
                if (c == 2 && r == 8)
                    EXPECT_NE(StartTypingIntoCell(w.tsTabela->sgEdycja, c, r, StandardMark(r - 1)), nullptr);
                else
                    TypeIntoCell(w.tsTabela->sgEdycja, c, r, StandardMark(r - 1));
            }
        return w;
    }

    // Narzędzia → "Krzywa standardowa…" in the window; `check` runs while the
    // dialog is open.
    void ThroughMenu(TWel_Kor& w, const std::function<void(StandardCurveDialog&)>& check)
    {
        bool opened = false;
        dialogs.modalScripts.push_back([&](QDialog& shown) {
            auto* dialog = qobject_cast<StandardCurveDialog*>(&shown);
            ASSERT_NE(dialog, nullptr);
            opened = true;
            check(*dialog);
        });
        w.commands->Krzywastandardowa1->trigger();
        EXPECT_TRUE(opened);
        EXPECT_EQ(dialogs.modalsShown.value(0), QStringLiteral("Krzywa standardowa – dnase.rap"));
    }

    std::unique_ptr<StandardCurveDialog> OpenDialog(const welkor::ReportDocument& report, const QString& file = {})
    {
        auto dialog = std::make_unique<StandardCurveDialog>(report, dialogs, file, window.get());
        dialog->show();
        QCoreApplication::processEvents();
        return dialog;
    }
};

welkor::ReportDocument Document(const QByteArray& bytes, const std::vector<std::pair<int, int>>& standards)
{
    welkor::ReportDocument doc = *welkor::ReportDocument::Open(bytes.toStdString()).document;
    for (const auto& [column, row] : standards)
        doc.setEditCell(column, row, StandardMark(row - 1).toStdString());
    return doc;
}

} // namespace

TEST_F(StandardCurveDialogTest, TheTableIsKrzywasForEveryModelAndWeightingChosenInTheBoxes)
{
    TWel_Kor& w = OpenWithTypedStandards();
    ThroughMenu(w, [&](StandardCurveDialog& shown) {
        StandardCurveDialog* dialog = &shown;
        const QString report = Path(QStringLiteral("dnase.rap"));

        const auto expectKrzywa = [&](const QStringList& options, const QString& model) {
            SCOPED_TRACE(model.toStdString());
            EXPECT_EQ(dialog->modelBox->currentText(), model);
            const CliRun cli = Krzywa(report, options);
            ASSERT_EQ(cli.exitCode, 0) << cli.err.toStdString();
            EXPECT_EQ(dialog->TableText(), ClipboardOf(CsvRows(cli.out)));
            // The parameters and R² as krzywa tells them, with decimal commas.
            EXPECT_EQ(dialog->summary->text(), QString(cli.err).replace('.', ','));
            EXPECT_EQ(dialog->plotPages->currentWidget(), dialog->plot);
        };
        expectKrzywa({}, QStringLiteral("4PL"));
        const QString models[][2] = {{QStringLiteral("5pl"), QStringLiteral("5PL")},
                                     {QStringLiteral("liniowy"), QStringLiteral("liniowy")},
                                     {QStringLiteral("loglog"), QStringLiteral("log-log")},
                                     {QStringLiteral("punkty"), QStringLiteral("punkt-punkt")}};
        dialog->modelBox->setFocus();
        for (const auto& [option, shown] : models) {
            QTest::keyClick(dialog->modelBox, Qt::Key_Down);
            expectKrzywa({QStringLiteral("--model"), option}, shown);
        }
        QTest::keyClick(dialog->modelBox, Qt::Key_Home);
        QTest::keyClick(dialog->weightingBox, Qt::Key_Down);
        EXPECT_EQ(dialog->weightingBox->currentText(), QStringLiteral("1/y²"));
        expectKrzywa({QStringLiteral("--waga"), QStringLiteral("1/y2")}, QStringLiteral("4PL"));
    });
}

TEST_F(StandardCurveDialogTest, KopiujPutsTheSortedTableOnTheClipboardInTheProgramsFormat)
{
    WriteFile(QStringLiteral("dnase.rap"), DNaseReport());
    std::vector<std::pair<int, int>> standards;
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 8; ++r)
            standards.emplace_back(c, r);
    Start();
    const auto dialog = OpenDialog(Document(DNaseReport(), standards));

    // A click on "Stężenie": by concentration, wells without one last.
    QHeaderView* header = dialog->table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(3) + header->sectionSize(3) / 2, header->height() / 2));
    QTest::mouseClick(dialog->copyButton, Qt::LeftButton);

    const CliRun cli = Krzywa(Path(QStringLiteral("dnase.rap")), {});
    ASSERT_EQ(cli.exitCode, 0);
    QList<QStringList> rows = CsvRows(cli.out);
    std::stable_sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
        if (a[3].isEmpty() != b[3].isEmpty())
            return b[3].isEmpty();
        return !a[3].isEmpty() && QString(a[3]).replace(',', '.').toDouble() < QString(b[3]).replace(',', '.').toDouble();
    });
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ClipboardOf(rows));
    EXPECT_EQ(rows.front()[0], QStringLiteral("A1")); // the lowest standard, 0,017
    EXPECT_EQ(rows.back()[0], QStringLiteral("H7")); // 0,020, below the curve, last of the wells without a number
}

TEST_F(StandardCurveDialogTest, ZapiszWritesKrzywasCsvOrAWorkbookAndAsksBeforeReplacingAFile)
{
    TWel_Kor& w = OpenWithTypedStandards();
    ThroughMenu(w, [&](StandardCurveDialog& shown) {
        StandardCurveDialog* dialog = &shown;
        const CliRun cli = Krzywa(Path(QStringLiteral("dnase.rap")), {});
        ASSERT_EQ(cli.exitCode, 0);

        dialogs.fileAnswers = {Path(QStringLiteral("wynik.csv"))};
        QTest::mouseClick(dialog->saveButton, Qt::LeftButton);
        ASSERT_EQ(dialogs.fileDialogsShown.size(), 2); // "Otwórz", then this one
        EXPECT_EQ(dialogs.fileDialogsShown[1].fileName, Path(QStringLiteral("dnase-krzywa.csv")));
        EXPECT_EQ(ReadFile(QStringLiteral("wynik.csv")), cli.out);

        // Over an existing file only after "Uwaga!" is answered yes.
        QTest::keyClick(dialog->modelBox, Qt::Key_End); // point-to-point: another table
        dialogs.fileAnswers = {Path(QStringLiteral("wynik.csv"))};
        dialogs.yesNoAnswers = {false};
        QTest::mouseClick(dialog->saveButton, Qt::LeftButton);
        ASSERT_EQ(dialogs.questions.size(), 1);
        EXPECT_TRUE(dialogs.questions[0].startsWith(QStringLiteral("Uwaga!|Już istnieje plik o nazwie:\r\n")));
        EXPECT_EQ(ReadFile(QStringLiteral("wynik.csv")), cli.out);
        QTest::keyClick(dialog->modelBox, Qt::Key_Home);

        dialogs.fileAnswers = {Path(QStringLiteral("wynik.xlsx"))};
        QTest::mouseClick(dialog->saveButton, Qt::LeftButton);
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
        ASSERT_TRUE(ReadFile(QStringLiteral("wynik.xlsx")).startsWith("PK"));

        // The distribution's python, where its openpyxl is.
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                : QStringLiteral("python3");
        QProcess openpyxl;
        openpyxl.start(python,
                       {QStringLiteral("-c"),
                        QStringLiteral("import json, sys, openpyxl\n"
                                       "book = openpyxl.load_workbook(sys.argv[1])\n"
                                       "print(json.dumps([book.sheetnames] + [[[c.value for c in row] for row in s.iter_rows()]"
                                       " for s in book.worksheets]))\n"),
                        Path(QStringLiteral("wynik.xlsx"))});
        if (!openpyxl.waitForFinished(60000) || openpyxl.exitCode() != 0)
            GTEST_SKIP() << "python3 with openpyxl cannot read the workbook back (scripts/install-deps.sh installs "
                            "python3-openpyxl): "
                         << openpyxl.readAllStandardError().toStdString();
        const QJsonArray book = QJsonDocument::fromJson(openpyxl.readAllStandardOutput()).array();
        EXPECT_EQ(book[0], QJsonValue(QJsonArray{QStringLiteral("Studzienki"), QStringLiteral("Krzywa")}));
        const QJsonArray wells = book[1].toArray();
        EXPECT_EQ(wells[0], QJsonValue(QJsonArray{QStringLiteral("Studzienka"), QStringLiteral("Rola"), QStringLiteral("Odczyt"),
                                                  QStringLiteral("Stężenie"), QStringLiteral("Uwaga")}));
        const QList<QStringList> rows = CsvRows(cli.out);
        ASSERT_EQ(wells.size(), 1 + rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QJsonArray cells = wells[i + 1].toArray();
            const QStringList& row = rows[i];
            EXPECT_EQ(cells[0].toString(), row[0]);
            EXPECT_EQ(cells[2].toDouble(), QString(row[2]).replace(',', '.').toDouble()) << row[0].toStdString();
            if (row[3].isEmpty())
                EXPECT_TRUE(cells[3].isNull()) << row[0].toStdString();
            else // the CSV rounds to 10 digits, the workbook keeps the double
                EXPECT_NEAR(cells[3].toDouble() / QString(row[3]).replace(',', '.').toDouble(), 1, 1e-9) << row[0].toStdString();
            EXPECT_EQ(cells[4].toString(), row[4]);
        }
        const QJsonArray fit = book[2].toArray();
        EXPECT_EQ(fit[0], QJsonValue(QJsonArray{QStringLiteral("Model"), QStringLiteral("4PL")}));
        EXPECT_EQ(fit[6][0], QJsonValue(QStringLiteral("R²")));
        EXPECT_NEAR(fit[6][1].toDouble(), 0.99913021, 1e-8);
    });
}

TEST_F(StandardCurveDialogTest, ThePlotShowsTheStandardsTheCurveAndTheSamplesInTheirPlaces)
{
    TWel_Kor& w = OpenWithTypedStandards();
    ThroughMenu(w, [&](StandardCurveDialog& shown) {
        StandardCurveDialog* dialog = &shown;
        CurvePlot& plot = *dialog->plot;
        const QImage image = plot.grab().toImage();
        ASSERT_EQ(image.size(), plot.size());
        const welkor::StandardCurve& curve = *dialog->result().fit.curve;

        int standards = 0, samples = 0, off = 0;
        for (const welkor::CurveWell& well : dialog->result().wells) {
            const QString name = QString::fromStdString(welkor::WellName(well.well.row, well.well.column));
            if (well.role == welkor::WellRole::Standard) {
                EXPECT_EQ(image.pixelColor(plot.ToPixel(*well.nominal, well.reading).toPoint()), CurvePlot::kStandardColour)
                    << name.toStdString();
                ++standards;
            } else if (well.concentration) {
                // An open diamond round the point.
                const QPoint at = plot.ToPixel(*well.concentration, well.reading).toPoint();
                bool found = false;
                for (int dx = -7; dx <= 7 && !found; ++dx)
                    for (int dy = -7; dy <= 7 && !found; ++dy)
                        found = Near(image.pixelColor(at.x() + dx, at.y() + dy), CurvePlot::kSampleColour);
                EXPECT_TRUE(found) << name.toStdString();
                ++samples;
            } else {
                // Below the range: a stroke at the left edge at its reading.
                const QPointF at = plot.ToPixel(curve.lowestStandard(), well.reading);
                const int x = well.flag == welkor::RangeFlag::BelowRange ? qRound(plot.PlotArea().left()) + 5
                                                                          : qRound(plot.PlotArea().right()) - 5;
                EXPECT_TRUE(Near(image.pixelColor(x, static_cast<int>(std::floor(at.y()))), CurvePlot::kSampleColour))
                    << name.toStdString();
                ++off;
            }
        }
        EXPECT_EQ(standards, 16);
        EXPECT_EQ(samples, 28);
        EXPECT_EQ(off, 6);

        // The curve passes through its response between the standards.
        for (double c : {0.1, 0.55, 2.2, 9.0}) {
            const QPoint at = plot.ToPixel(c, curve.Response(c)).toPoint();
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                found = Near(image.pixelColor(at.x(), at.y() + dy), CurvePlot::kCurveColour);
            EXPECT_TRUE(found) << c;
        }
        EXPECT_EQ(plot.ConcentrationLabels(), (QStringList{"0,1", "1", "10"}));
        EXPECT_EQ(plot.ReadingLabels(), (QStringList{"0", "0,5", "1", "1,5", "2", "2,5"}));
    });
}

TEST_F(StandardCurveDialogTest, WhatIsMissingIsSaidInPlaceOfThePlotWithNoNumbers)
{
    Start();
    std::vector<std::pair<int, int>> all;
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 8; ++r)
            all.emplace_back(c, r);
    struct Case {
        welkor::ReportDocument report;
        int weightingDowns;
        int modelDowns;
        QString message;
    };
    const Case cases[] = {
        {welkor::ReportDocument(), 0, 0, QStringLiteral("Brak danych: otwórz raport z pomiaru")},
        {Document(DNaseReport(), {}), 0, 0, QStringLiteral("Nie zaznaczono żadnego standardu: wpisz w tabeli edycji „std”")},
        {Document(DNaseReport(), {{1, 1}, {1, 4}, {1, 8}}), 0, 0, QStringLiteral("Model 4PL ma 4 parametry")},
        {Document(DNaseReport(), all), 1, 1, QStringLiteral("nie zbiegło się")}, // 5PL, 1/y²: no minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        const auto dialog = OpenDialog(c.report);
        for (int i = 0; i < c.modelDowns; ++i)
            QTest::keyClick(dialog->modelBox, Qt::Key_Down);
        for (int i = 0; i < c.weightingDowns; ++i)
            QTest::keyClick(dialog->weightingBox, Qt::Key_Down);
        EXPECT_EQ(dialog->plotPages->currentWidget(), dialog->message);
        EXPECT_TRUE(dialog->message->isVisible());
        EXPECT_TRUE(dialog->message->text().contains(c.message)) << dialog->message->text().toStdString();
        EXPECT_EQ(dialog->table->rowCount(), 0);
        EXPECT_FALSE(dialog->summaryBox->isVisible());
        EXPECT_FALSE(dialog->table->isVisible());
        EXPECT_FALSE(dialog->copyButton->isEnabled());
        EXPECT_FALSE(dialog->saveButton->isEnabled());
    }

    // Three standards are enough for a straight line: chosen, it is drawn.
    const auto dialog = OpenDialog(Document(DNaseReport(), {{1, 1}, {1, 4}, {1, 8}}));
    QTest::keyClick(dialog->modelBox, Qt::Key_Down);
    QTest::keyClick(dialog->modelBox, Qt::Key_Down);
    EXPECT_EQ(dialog->modelBox->currentText(), QStringLiteral("liniowy"));
    EXPECT_EQ(dialog->plotPages->currentWidget(), dialog->plot);
    EXPECT_EQ(dialog->table->rowCount(), 50);
    EXPECT_TRUE(dialog->copyButton->isEnabled());
}
