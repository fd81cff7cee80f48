#include "qtbase/output/XlsxWorkbook.h"

#include "core/text/Cp1250.h"
#include "qtbase/FileIO.h"
#include "qtbase/UserError.h"
#include "qtbase/output/XlsxWriterLibrary.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <locale.h>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include <QTemporaryDir>
#else
#include <stdlib.h> // mkdtemp
#endif

namespace {

using welkor::WorkbookCell;
using welkor::WorkbookContent;
using welkor::WorkbookSheet;

[[noreturn]] void Fail(const QString& reason)
{
    throw UserError(QStringLiteral("Nie można utworzyć skoroszytu programu Excel: ") + reason);
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// "A1", "M9", "XFD1048576".
QString CellName(std::size_t row, std::size_t column)
{
    QString letters;
    for (std::size_t c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QLatin1Char(static_cast<char>('A' + (c - 1) % 26)));
    return letters + QString::number(row + 1);
}

// A private folder for the workbook and the library's temporary files,
// removed with everything in it when the work is done.
class WorkFolder {
public:
    WorkFolder()
    {
#ifdef _WIN32
        if (!folder_.isValid())
            Fail(QStringLiteral("nie da się założyć folderu roboczego: %1").arg(folder_.errorString()));
        path_ = folder_.path().toStdString();
#else
        const char* tmp = std::getenv("TMPDIR");
        const std::string parent = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
        std::string name = parent + (parent.back() == '/' ? "" : "/") + "welkor-skoroszyt-XXXXXX";
        if (mkdtemp(name.data()) == nullptr) { // mode 0700
            const int error = errno;
            Fail(QStringLiteral("nie da się założyć folderu roboczego w „%1”. %2")
                     .arg(FileNameFromBytes(QByteArray::fromStdString(parent)), SystemReason(error)));
        }
        path_ = std::move(name);
#endif
    }
    ~WorkFolder()
    {
#ifndef _WIN32
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored); // links inside are removed, never followed
#endif
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& path() const { return path_; }

private:
#ifdef _WIN32
    QTemporaryDir folder_;
#endif
    std::string path_;
};

// The C locale for this thread while the library writes: it prints numbers
// with the C library, which would take a decimal comma from a Polish locale
// and write a workbook no spreadsheet can read.
class CNumbers {
public:
    CNumbers()
    {
#ifdef _WIN32
        previousMode_ = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
        const char* now = setlocale(LC_NUMERIC, nullptr);
        previous_ = now != nullptr ? now : "C";
        setlocale(LC_NUMERIC, "C");
#else
        c_ = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        if (c_ == static_cast<locale_t>(nullptr))
            Fail(SystemReason(errno));
        previous_ = uselocale(c_);
#endif
    }
    ~CNumbers()
    {
#ifdef _WIN32
        setlocale(LC_NUMERIC, previous_.c_str());
        _configthreadlocale(previousMode_);
#else
        uselocale(previous_);
        freelocale(c_);
#endif
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
#ifdef _WIN32
    int previousMode_ = 0;
    std::string previous_;
#else
    locale_t c_;
    locale_t previous_;
#endif
};

// A library error while the content is laid out, in the user's words.
QString LayoutReason(lxw_error error, const WorkbookSheet& sheet, std::size_t row, std::size_t column)
{
    const QString name = FromUtf8(sheet.name);
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return QStringLiteral("za mało pamięci.");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("komórka %1 arkusza „%2” ma ponad 32 767 znaków, najwięcej, ile mieści komórka.")
            .arg(CellName(row, column), name);
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("arkusz „%1” wychodzi poza 1 048 576 wierszy albo 16 384 kolumny, najwięcej, "
                              "ile mieści arkusz.")
            .arg(name);
    default:
        return QStringLiteral("błąd biblioteki libxlsxwriter w arkuszu „%1”, komórka %2: %3 (%4).")
            .arg(name, CellName(row, column), QString::fromUtf8(XlsxWriter().lxw_strerror(error)))
            .arg(static_cast<int>(error));
    }
}

QString SheetNameReason(lxw_error error, const std::string& name)
{
    const QString shown = FromUtf8(name);
    switch (error) {
    case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
        return QStringLiteral("nazwa arkusza „%1” ma ponad 31 znaków.").arg(shown);
    case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
        return QStringLiteral("nazwa arkusza „%1” zawiera znak, którego nazwa arkusza mieć nie może "
                              "([ ] : * ? / \\).")
            .arg(shown);
    case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
        return QStringLiteral("nazwa arkusza „%1” zaczyna się albo kończy apostrofem.").arg(shown);
    case LXW_ERROR_SHEETNAME_ALREADY_USED: return QStringLiteral("dwa arkusze nazywają się „%1”.").arg(shown);
    default:
        return QStringLiteral("nazwa arkusza „%1”: %2.").arg(shown, QString::fromUtf8(XlsxWriter().lxw_strerror(error)));
    }
}

// The library's error when it assembles the file.
QString CloseReason(lxw_error error, int systemError, const std::string& folder)
{
    if (error == LXW_ERROR_MEMORY_MALLOC_FAILED)
        return QStringLiteral("za mało pamięci.");
    QString reason = QStringLiteral("nie da się zapisać plików roboczych w „%1”.")
                         .arg(FileNameFromBytes(QByteArray::fromStdString(folder)));
    if (systemError != 0)
        reason += QLatin1Char(' ') + SystemReason(systemError);
    else
        reason += QStringLiteral(" %1 (%2).").arg(QString::fromUtf8(XlsxWriter().lxw_strerror(error))).arg(static_cast<int>(error));
    return reason;
}

// Lays the content out in the workbook; the reason of the first failure, or
// an empty text.
QString LayOut(lxw_workbook* workbook, const WorkbookContent& content)
{
    const XlsxWriterLibrary& lxw = XlsxWriter();
    lxw_format* bold = lxw.workbook_add_format(workbook);
    if (bold == nullptr)
        return QStringLiteral("za mało pamięci.");
    lxw.format_set_bold(bold);

    for (const WorkbookSheet& sheet : content.sheets) {
        const std::string name = welkor::ValidUtf8(sheet.name);
        if (name.empty())
            return QStringLiteral("arkusz bez nazwy.");
        if (const lxw_error error = lxw.workbook_validate_sheet_name(workbook, name.c_str()); error != LXW_NO_ERROR)
            return SheetNameReason(error, name);
        lxw_worksheet* worksheet = lxw.workbook_add_worksheet(workbook, name.c_str());
        if (worksheet == nullptr)
            return QStringLiteral("za mało pamięci.");

        for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c) {
            if (sheet.columnWidths[c] <= 0)
                continue;
            const lxw_error error = c < LXW_COL_MAX ? lxw.worksheet_set_column(worksheet, static_cast<lxw_col_t>(c),
                                                                           static_cast<lxw_col_t>(c),
                                                                           sheet.columnWidths[c], nullptr)
                                                    : LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            if (error != LXW_NO_ERROR)
                return LayoutReason(error, sheet, 0, c);
        }
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const WorkbookCell& cell = sheet.rows[r][c];
                if (cell.kind == WorkbookCell::Kind::Empty)
                    continue;
                if (r >= LXW_ROW_MAX || c >= LXW_COL_MAX)
                    return LayoutReason(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE, sheet, r, c);
                const auto row = static_cast<lxw_row_t>(r);
                const auto column = static_cast<lxw_col_t>(c);
                lxw_format* format = cell.bold ? bold : nullptr;
                lxw_error error = LXW_NO_ERROR;
                if (cell.kind == WorkbookCell::Kind::Number) {
                    if (!std::isfinite(cell.number))
                        return QStringLiteral("komórka %1 arkusza „%2” nie ma skończonej wartości liczbowej.")
                            .arg(CellName(r, c), FromUtf8(sheet.name));
                    error = lxw.worksheet_write_number(worksheet, row, column, cell.number, format);
                } else {
                    const std::string text = welkor::SpreadsheetText(cell.text);
                    error = lxw.worksheet_write_string(worksheet, row, column, text.c_str(), format);
                }
                if (error != LXW_NO_ERROR)
                    return LayoutReason(error, sheet, r, c);
            }
        }
    }
    return {};
}

} // namespace

std::string WorkbookBytes(const WorkbookContent& content)
{
    const XlsxWriterLibrary& lxw = XlsxWriter(); // before anything is made: a missing library leaves nothing
    const WorkFolder folder;
    const std::string fileName = folder.path() + "/skoroszyt.xlsx";
    {
        const CNumbers numbers;
        lxw_workbook_options options{};
        options.tmpdir = const_cast<char*>(folder.path().c_str());
        lxw_workbook* workbook = lxw.workbook_new_opt(fileName.c_str(), &options);
        if (workbook == nullptr)
            Fail(QStringLiteral("za mało pamięci."));
        if (const QString reason = LayOut(workbook, content); !reason.isEmpty()) {
            lxw.lxw_workbook_free(workbook);
            Fail(reason);
        }
        errno = 0;
        const lxw_error error = lxw.workbook_close(workbook); // writes the file and frees the workbook
        const int systemError = errno;
        if (error != LXW_NO_ERROR)
            Fail(CloseReason(error, systemError, folder.path()));
    }
    return ReadFileBytes(FileNameFromBytes(QByteArray::fromStdString(fileName)), std::numeric_limits<qint32>::max());
}
