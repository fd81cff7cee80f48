#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a spreadsheet workbook holds, as plain data: sheets of rows of cells,
// each empty, a number or a text. Any table the program hands to a
// spreadsheet is built as this content; the writer turns it into an .xlsx
// file. Texts are UTF-8.
namespace welkor {

class ReportDocument;

struct WorkbookCell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    std::string text;
    bool bold = false;

    static WorkbookCell Number(double value, bool bold = false);
    static WorkbookCell Text(std::string utf8, bool bold = false);
};

struct WorkbookSheet {
    std::string name; // at most 31 characters, none of [ ] : * ? / "\"
    std::vector<std::vector<WorkbookCell>> rows;
    // Widths in characters, from column A on; 0 leaves a column as it is.
    std::vector<double> columnWidths;
};

struct WorkbookContent {
    std::vector<WorkbookSheet> sheets;
};

// A spreadsheet cell holds at most this many characters.
inline constexpr std::size_t kMaxCellCharacters = 32767;

// The number a well or grid text (code page 1250) holds, read as the long
// table reads it ("0,074", " 1,5E-3", ",5"); nothing for a text without a
// number, or with one beyond a double's range.
std::optional<double> CellNumber(std::string_view text);

// A cell of one of the window's grids: a number where the text holds one,
// otherwise the text without the blanks around it (" BLANK" -> "BLANK",
// " neg" -> "neg", as every reader of a cell skips them; UTF-8), or an empty
// cell.
WorkbookCell GridCell(std::string_view text, bool bold = false);

// A text as a spreadsheet file stores it: valid UTF-8 (a broken byte becomes
// U+FFFD, as do U+FFFE and U+FFFF, which the file format cannot hold), and a
// literal "_x" + four hex digits + "_", which spreadsheets read as an escaped
// character, kept as typed by escaping its underscore ("_x005F_").
std::string SpreadsheetText(std::string_view utf8);

inline constexpr std::string_view kPlateSheetName = "Płytka";
inline constexpr std::string_view kLongTableSheetName = "Tabela długa";

// A report as a workbook. Sheet "Płytka": the measured grid as the table page
// shows it (column numbers over the columns, row letters A-H, every reading a
// number, a state word a text), an empty row, "Analiza" and the edit grid
// (numbers as numbers, marks as texts), an empty row, "Komentarz" and the
// comment as typed, one line per row (a line longer than a cell holds goes on in the
// cells to its right). Sheet "Tabela długa": the long table of one report,
// its heading and 96 rows with the columns of the long CSV; the column number
// and the value as numbers. `fileName` (its bytes; a byte that is not UTF-8
// shows as U+FFFD) fills the column "plik".
WorkbookContent ReportWorkbook(const ReportDocument& report, std::string_view fileName);

} // namespace welkor
