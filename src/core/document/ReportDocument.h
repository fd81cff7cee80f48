#pragma once

#include "core/analysis/CutoffAnalysis.h"
#include "core/output/CopyRange.h"
#include "core/report/ReportTypes.h"
#include "core/text/Cp1250Literal.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One measurement report as the program holds it: the report line list, the
// value table, the stored analysis, the text shown for it, the measured grid,
// and the user's part (the comment and the edit grid). Opening, analysing,
// saving and exporting happen here and only here; the window shows the
// document in its memos and grids, the command-line program writes it out.
namespace welkor {

struct OpenedReport;

// The message of a file that was not opened: "%1" is the file's name, "%2"
// the problem (code page 1250).
inline constexpr std::string_view kReportNotOpened = "Plik \"%1\" nie został otwarty.\n%2"_cp1250;

class ReportDocument {
public:
    // The state before any report: no data, grid headings and "0" in every
    // well, no stored analysis, an empty edit grid.
    ReportDocument();

    // The file's bytes as a report, with every check a file gets: a file
    // that is refused leaves nothing opened. A stored analysis goes to the
    // edit grid, otherwise the measured values do (a fresh measurement).
    static OpenedReport Open(std::string_view bytes);

    // A captured reader transmission, converted as a fetch converts it and
    // made ready as after "Pobierz": the values copied to the edit grid for
    // an analysis. date, time and operatorName are code page 1250.
    static OpenedReport FromTransmission(std::string_view transmission, std::string_view date, std::string_view time,
                                         std::string_view operatorName);

    // ---- What the report holds --------------------------------------------
    bool hasData() const { return hasData_; }
    const ReportLines& lines() const { return lines_; }
    // The plate's well texts. The plate lower-cases them as it reads them.
    ValueTable& values() { return values_; }
    const ValueTable& values() const { return values_; }
    const GridTexts& storedAnalysis() const { return storedAnalysis_; }
    bool freshMeasurement() const { return freshMeasurement_; }
    void setFreshMeasurement(bool fresh) { freshMeasurement_ = fresh; }
    // The 15 lines shown as the report and printed.
    const ReportLines& displayedLines() const { return displayedLines_; }
    // The measured grid: headings, then the value of each well as read.
    const GridTexts& measuredGrid() const { return measuredGrid_; }
    // One reading of the measured grid replaced (column 1-12, row 1-8), as
    // a plate built by hand has it; the value table is left alone.
    void setMeasuredCell(int column, int row, std::string text);

    // ---- The user's part ----------------------------------------------------
    // The comment memo's lines: "Komentarz" and the comment as opened, then
    // whatever the user wrote.
    const std::vector<std::string>& commentLines() const { return commentLines_; }
    void setCommentLines(std::vector<std::string> lines) { commentLines_ = std::move(lines); }
    const GridTexts& editGrid() const { return editGrid_; }
    void setEditGrid(const GridTexts& grid) { editGrid_ = grid; }
    // A text typed into one cell of the edit grid (column 0-12, row 0-8).
    void setEditCell(int column, int row, std::string text);

    // ---- Steps of the window's commands -------------------------------------
    // "0" into the wells of the measured grid and the table (no signal
    // before any report).
    void FillPlaceholder(std::uint8_t columns, std::uint8_t rows);
    // A converted transmission replaces the report: lines, values, text and
    // measured grid. The stored analysis, the edit grid and the fresh flag
    // are left to the caller.
    void TakeTransmission(ReportLines lines);
    // The edit grid receives the measured grid on a fresh measurement,
    // otherwise the stored analysis.
    void CopyValuesToEditGrid();
    // "Przenieś": a fresh measurement and the values in the edit grid.
    void Transfer();
    // "Analizuj" over the measured and edit grids (RunCutoffAnalysis).
    CutoffOutcome Analyse(ControlCounts& counts, const std::function<void(const std::string&)>& showStatus);

    // ---- What goes out --------------------------------------------------------
    // The lines "Zapisz" writes. The edit grid takes the form it is saved in
    // (a leading blank in every data cell, no control character). Throws
    // Error for a report of fewer than 18 lines.
    ReportLines Save();
    // The same lines without changing the edit grid; empty for a report of
    // fewer than 18 lines (nothing a save could write).
    ReportLines SaveDocument() const;
    // The bytes of a saved report file.
    std::string SavedBytes();
    // The bytes of "Eksportuj".
    std::string ExportBytes() const;
    // A rectangle of the measured grid (measured = true) or of the edit grid
    // as clipboard text.
    std::string ClipboardText(bool measured, const CellRange& range) const;

private:
    bool hasData_ = false;
    bool freshMeasurement_ = false;
    ReportLines lines_;
    ValueTable values_;
    GridTexts storedAnalysis_;
    ReportLines displayedLines_;
    GridTexts measuredGrid_;
    std::vector<std::string> commentLines_;
    GridTexts editGrid_;

    void ShowReport(); // displayed lines, comment and measured grid from lines and values
};

// What opening bytes gives: the document, or why it was refused (code page
// 1250, the sentence the window shows under the file's name).
struct OpenedReport {
    std::optional<ReportDocument> document;
    std::string problem;
    // The file was written in UTF-8 (by another program) and read as such;
    // a save writes it in code page 1250. `unstorable` lists (in UTF-8) the
    // characters the code page lacks, now "?".
    bool readAsUtf8 = false;
    std::string unstorable;

    bool ok() const { return problem.empty(); }
};

} // namespace welkor
