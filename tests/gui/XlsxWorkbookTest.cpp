// The workbook writer: what it cannot write is told in Polish, and neither a
// workbook nor a failure leaves anything in the temporary folder.
#include "qtbase/UserError.h"
#include "qtbase/output/XlsxWorkbook.h"
#include "qtbase/output/XlsxWriterLibrary.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using welkor::WorkbookCell;

namespace {

welkor::WorkbookContent OneSheet(const std::string& name, std::vector<std::vector<WorkbookCell>> rows)
{
    return {{welkor::WorkbookSheet{name, std::move(rows), {}}}};
}

// The message of a refused workbook; empty when it was written.
QString Refusal(const welkor::WorkbookContent& content)
{
    try {
        WorkbookBytes(content);
    } catch (const UserError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(XlsxWorkbook, WhatCannotBeWrittenIsToldAndNothingIsLeftBehind)
{
    QTemporaryDir tmp;
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", tmp.path().toUtf8());
    const auto leftBehind = [&] { return QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };

    const std::vector<std::vector<WorkbookCell>> table = {{WorkbookCell::Text("st\xC4\x99\xC5\xBC" "enie", true)},
                                                          {WorkbookCell::Number(12.5)}};
    EXPECT_EQ(WorkbookBytes(OneSheet("Krzywa", table)).substr(0, 2), "PK"); // a zip container
    EXPECT_TRUE(leftBehind().isEmpty()) << leftBehind().join(' ').toStdString();

    welkor::WorkbookContent twice = OneSheet("Krzywa", table);
    twice.sheets.push_back(twice.sheets.front());
    const std::pair<welkor::WorkbookContent, QString> cases[] = {
        {OneSheet("Wyniki/2026", table), QStringLiteral("nazwa arkusza „Wyniki/2026” zawiera znak")},
        {OneSheet(std::string(32, 'k'), table), QStringLiteral("ma ponad 31 znaków")},
        {twice, QStringLiteral("dwa arkusze nazywają się „Krzywa”.")},
        {OneSheet("Krzywa", {{}, {}, {{}, WorkbookCell::Text(std::string(welkor::kMaxCellCharacters + 1, 'x'))}}),
         QStringLiteral("komórka B3 arkusza „Krzywa” ma ponad 32 767 znaków")},
        {OneSheet("Krzywa", {{WorkbookCell::Number(std::numeric_limits<double>::infinity())}}),
         QStringLiteral("komórka A1 arkusza „Krzywa” nie ma skończonej wartości liczbowej.")},
    };
    for (const auto& [content, reason] : cases) {
        const QString message = Refusal(content);
        EXPECT_TRUE(message.startsWith(QStringLiteral("Nie można utworzyć skoroszytu programu Excel: ")) && message.contains(reason))
            << message.toStdString() << " / " << reason.toStdString();
        EXPECT_TRUE(leftBehind().isEmpty()) << reason.toStdString();
    }

    const QString missing = QDir(tmp.path()).filePath(QStringLiteral("brak"));
    qputenv("TMPDIR", missing.toUtf8());
    EXPECT_EQ(Refusal(OneSheet("Krzywa", table)),
              QStringLiteral("Nie można utworzyć skoroszytu programu Excel: nie da się założyć folderu roboczego "
                             "w „%1”. Nie ma takiego pliku ani folderu.").arg(missing));
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
}

#ifndef _WIN32
// The library is loaded at the first workbook: one that is missing, or of
// another version, is named in the message, and nothing is half loaded.
TEST(XlsxWorkbook, AMissingOrForeignLibraryIsNamedAndLeavesNoFunctions)
{
    XlsxWriterLibrary library;
    const QString missing = LoadXlsxWriter("libxlsxwriter.so.999", library);
    EXPECT_TRUE(missing.startsWith(QStringLiteral("nie można wczytać biblioteki libxlsxwriter.so.999 ("))) << missing.toStdString();
    EXPECT_EQ(library.workbook_new_opt, nullptr);

    // A library that is there but is not libxlsxwriter: the C library.
    const QString foreign = LoadXlsxWriter("libc.so.6", library);
    EXPECT_EQ(foreign, QStringLiteral("biblioteka libc.so.6 nie ma funkcji workbook_new_opt: to inna wersja niż ta, "
                                      "z którą zbudowano program."));
    EXPECT_EQ(library.workbook_close, nullptr);

    // The program's own name for it loads every function.
    EXPECT_NE(XlsxWriter().workbook_new_opt, nullptr);
    EXPECT_NE(XlsxWriter().lxw_strerror, nullptr);
}
#endif
