#pragma once

#include "core/report/ReportTypes.h"

#include <string>
#include <string_view>

// The plate's values as CSV for R, pandas or a spreadsheet: UTF-8, a comma
// between fields, a decimal point in numbers, LF after every row.
namespace welkor {

// The number a well text holds, with a decimal point and without blanks or a
// plus sign ("0.074", "-1.5E-3", ",5" -> "0.5"); empty when the text is no
// number.
std::string DecimalPointNumber(std::string_view wellText);

// What a well holds: "liczba" (a number), "blank", "under", "over" (the
// state words in any letter case), or "" (no text, or something else).
std::string_view WellStateName(std::string_view wellText);

// The mark a saved analysis gave a well, read in any letter case with blanks
// around it: "neg", "poz", "poniżej" (UTF-8), or "".
std::string_view AnalysisMarkName(std::string_view cellText);

// A field as CSV holds it: quoted, with quotes doubled, when it holds a comma,
// a quote or a line break.
std::string CsvField(std::string_view text);

// The 8 x 12 plate: "wiersz,1,...,12", then one row per plate row A-H; a
// number with a decimal point, or an empty field for a well without a number
// (blank, under, over, no text), so that every column reads as numbers with
// missing values. The long form keeps the states.
std::string PlateCsv(const ValueTable& values);

// The long form: one row per well.
inline constexpr std::string_view kLongCsvHeader = "plik,studzienka,wiersz,kolumna,wartosc,stan,znacznik\n";

// One well's row of the long form, without the file's name: the row letter,
// the column number (1-12), the number with a decimal point (empty for a well
// without one), the state ("liczba", "blank", "under", "over" or "") and the
// mark of the stored analysis.
struct LongTableWell {
    char rowLetter = 'A';
    int column = 1;
    std::string number;
    std::string_view state;
    std::string_view mark;
};

// The well at row 0-7 and column 0-11 as the long form holds it.
LongTableWell LongTableEntry(const ValueTable& values, const GridTexts& storedAnalysis, int row, int column);

// Appends the 96 rows of one report, A1 to H12 row by row: the file name as
// given (its bytes unchanged), the well, its row letter and column number,
// the value, the state and the mark of the stored analysis.
void AppendLongCsv(std::string& out, std::string_view fileName, const ValueTable& values,
                   const GridTexts& storedAnalysis);

} // namespace welkor
