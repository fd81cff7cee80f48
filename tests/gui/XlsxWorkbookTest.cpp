// The workbook writer: what it cannot write is told in Polish, and neither a
// workbook nor a failure leaves anything in the temporary folder.
#include "gui/app/GuiError.h"
#include "qtbase/output/XlsxWorkbook.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using welkor::WorkbookCell;
using welkor::WorkbookContent;
using welkor::WorkbookSheet;

namespace {

// TMPDIR pointed at a folder of the test's own while it runs.
class TemporaryFolder {
public:
    TemporaryFolder() : saved_(qgetenv("TMPDIR")), hadOne_(qEnvironmentVariableIsSet("TMPDIR"))
    {
        qputenv("TMPDIR", dir_.path().toUtf8());
    }
    ~TemporaryFolder()
    {
        if (hadOne_)
            qputenv("TMPDIR", saved_);
        else
            qunsetenv("TMPDIR");
    }
    QString path() const { return dir_.path(); }
    QStringList entries() const { return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

private:
    QTemporaryDir dir_;
    QByteArray saved_;
    bool hadOne_;
};

WorkbookContent OneSheet(const std::string& name, std::vector<std::vector<WorkbookCell>> rows)
{
    WorkbookContent content;
    content.sheets.push_back(WorkbookSheet{name, std::move(rows), {}});
    return content;
}

} // namespace

TEST(XlsxWorkbook, WhatCannotBeWrittenIsToldAndNothingIsLeftBehind)
{
    TemporaryFolder tmp;
    const std::vector<std::vector<WorkbookCell>> table = {
        {WorkbookCell::Text("studzienka", true), WorkbookCell::Text("st\xC4\x99\xC5\xBC" "enie", true)},
        {WorkbookCell::Text("A1"), WorkbookCell::Number(12.5)}};
    const std::string bytes = WorkbookBytes(OneSheet("Krzywa", table));
    EXPECT_EQ(bytes.substr(0, 2), "PK"); // a zip container
    EXPECT_TRUE(tmp.entries().isEmpty()) << tmp.entries().join(' ').toStdString();

    WorkbookContent twice = OneSheet("Krzywa", table);
    twice.sheets.push_back(twice.sheets.front());
    struct Case {
        WorkbookContent content;
        QString reason;
    };
    const Case cases[] = {
        {OneSheet("Wyniki/2026", table), QStringLiteral("nazwa arkusza „Wyniki/2026” zawiera znak")},
        {OneSheet(std::string(32, 'k'), table), QStringLiteral("ma ponad 31 znaków")},
        {twice, QStringLiteral("dwa arkusze nazywają się „Krzywa”.")},
        {OneSheet("Krzywa", {{}, {}, {WorkbookCell(), WorkbookCell::Text(std::string(welkor::kMaxCellCharacters + 1, 'x'))}}),
         QStringLiteral("komórka B3 arkusza „Krzywa” ma ponad 32 767 znaków")},
        {OneSheet("Krzywa", {{WorkbookCell::Number(std::numeric_limits<double>::infinity())}}),
         QStringLiteral("komórka A1 arkusza „Krzywa” nie ma skończonej wartości liczbowej.")},
    };
    for (const Case& c : cases) {
        try {
            WorkbookBytes(c.content);
            ADD_FAILURE() << "written: " << c.reason.toStdString();
        } catch (const GuiError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie można utworzyć skoroszytu programu Excel: ")))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(c.reason)) << e.message().toStdString();
        }
        EXPECT_TRUE(tmp.entries().isEmpty()) << c.reason.toStdString();
    }

    // A temporary folder that is not there.
    qputenv("TMPDIR", QDir(tmp.path()).filePath(QStringLiteral("brak")).toUtf8());
    try {
        WorkbookBytes(OneSheet("Krzywa", table));
        ADD_FAILURE() << "written without a temporary folder";
    } catch (const GuiError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Nie można utworzyć skoroszytu programu Excel: nie da się założyć folderu "
                                              "roboczego w „%1”. Nie ma takiego pliku ani folderu.")
                                   .arg(QDir(tmp.path()).filePath(QStringLiteral("brak"))));
    }
}
