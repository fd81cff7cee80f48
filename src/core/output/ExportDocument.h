#pragma once

#include "core/report/ReportTypes.h"
#include "core/text/Cp1250Literal.h"

#include <string>
#include <string_view>
#include <vector>

// "Eksportuj": the measured grid, the comment and the edit grid as one
// tab-separated text file. The content is the same whatever extension the
// user picks; only the dialog offers the five of them.
namespace welkor {

// The save dialog's filter for an export: label and pattern pairs, each part
// ended by "|" except the last. The text pattern is "*txt", without a dot.
inline constexpr std::string_view kExportFilter
    = "Arkusz Excel (*.xls)|*.xls|Plik tekstowy (*.txt)|*txt|Dokument Word (*.doc)|*.doc|"
      "Text OpenOffice (*.sxw)|*.sxw|Plik formatowany (*.rtf)|*.rtf";

inline constexpr std::string_view kExportDialogTitle = "Eksport wyników"_cp1250;

struct FilterEntry {
    std::string label;
    std::string pattern;
};

// The entries of a "label|pattern|label|pattern" filter; a label without a
// pattern gets an empty one.
std::vector<FilterEntry> SplitFilter(std::string_view filter);

// The extension a pattern stands for: "*.xls" -> "xls", "*txt" -> "txt";
// "*", "*.*" and patterns listing several (";") stand for none.
std::string PatternExtension(std::string_view pattern);

// The lines of an export: an empty line, "Pomiar", the nine rows of the
// measured grid, an empty line, "Komentarz", the user's comment (the memo's
// lines without its "Komentarz" heading, as a report save writes them), an
// empty line, "Analiza" and the nine rows of the edit grid. A row is its 13
// cell texts joined by single TABs; a control character in a cell becomes a
// blank, so every row stays one line of 13 fields.
ReportLines BuildExportLines(const GridTexts& measuredGrid, const std::vector<std::string>& commentMemoLines,
                             const GridTexts& editGrid);

// The file bytes: every line followed by CR LF, code page 1250, no byte-order mark.
std::string BuildExportDocument(const GridTexts& measuredGrid, const std::vector<std::string>& commentMemoLines,
                                const GridTexts& editGrid);

} // namespace welkor
