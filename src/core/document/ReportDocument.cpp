#include "core/document/ReportDocument.h"

#include "core/output/ExportDocument.h"
#include "core/reader/Transmission.h"
#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"
#include "core/text/Cp1250.h"

#include <utility>

namespace welkor {

ReportDocument::ReportDocument()
{
    WriteGridHeadings(measuredGrid_);
    welkor::FillPlaceholder(measuredGrid_, values_, kPlateColumns, kPlateRows);
}

OpenedReport ReportDocument::Open(std::string_view bytes)
{
    OpenedReport opened;
    // A report that another program saved in UTF-8 reads as the user wrote it.
    std::optional<Utf8Text> utf8 = ReadUtf8AsCp1250(bytes);
    if (utf8) {
        opened.readAsUtf8 = true;
        opened.unstorable = std::move(utf8->unstorable);
        bytes = utf8->cp1250;
    }
    // Everything is checked before the document exists; a text too many
    // lines long is refused before it is split into them.
    opened.problem = ReportShapeProblem(bytes);
    if (!opened.ok())
        return opened;
    ReportLines lines = SplitReportText(bytes);
    opened.problem = ReportProblem(bytes, lines);
    if (!opened.ok())
        return opened;

    ReportDocument& doc = opened.document.emplace();
    doc.hasData_ = true;
    doc.lines_ = std::move(lines);
    // A well the report gives no value holds no placeholder, and a short
    // analysis block leaves the rest of the stored analysis empty.
    doc.values_ = ValueTable{};
    ParseValueLines(doc.lines_, doc.values_);
    ParseAnalysisBlock(doc.lines_, doc.storedAnalysis_, doc.freshMeasurement_);
    doc.ShowReport();
    doc.CopyValuesToEditGrid();
    return opened;
}

OpenedReport ReportDocument::FromTransmission(std::string_view transmission, std::string_view date,
                                              std::string_view time, std::string_view operatorName)
{
    TransmissionResult result = ConvertTransmission(transmission, date, time, operatorName);
    OpenedReport opened;
    if (!result.ok()) {
        opened.problem = std::move(result.problem);
        return opened;
    }
    ReportDocument& doc = opened.document.emplace();
    doc.TakeTransmission(std::move(result.lines));
    doc.Transfer();
    return opened;
}

void ReportDocument::setEditCell(int column, int row, std::string text)
{
    if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows)
        return;
    editGrid_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

void ReportDocument::setMeasuredCell(int column, int row, std::string text)
{
    if (column < 1 || column >= kGridColumns || row < 1 || row >= kGridRows)
        return;
    measuredGrid_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

void ReportDocument::FillPlaceholder(std::uint8_t columns, std::uint8_t rows)
{
    welkor::FillPlaceholder(measuredGrid_, values_, columns, rows);
}

void ReportDocument::TakeTransmission(ReportLines lines)
{
    hasData_ = true;
    lines_ = std::move(lines);
    values_ = ValueTable{};
    ParseValueLines(lines_, values_);
    ShowReport();
}

void ReportDocument::ShowReport()
{
    ReportText text = RebuildReportText(lines_, values_);
    displayedLines_ = std::move(text.displayed);
    commentLines_ = std::move(text.comment);
    ShowValuesInGrid(values_, measuredGrid_);
}

void ReportDocument::CopyValuesToEditGrid() { editGrid_ = freshMeasurement_ ? measuredGrid_ : storedAnalysis_; }

void ReportDocument::Transfer()
{
    freshMeasurement_ = true;
    CopyValuesToEditGrid();
}

CutoffOutcome ReportDocument::Analyse(ControlCounts& counts,
                                      const std::function<void(const std::string&)>& showStatus)
{
    return RunCutoffAnalysis(measuredGrid_, editGrid_, freshMeasurement_, counts, showStatus);
}

ReportLines ReportDocument::Save() { return BuildSavedReport(lines_, commentLines_, editGrid_); }

ReportLines ReportDocument::SaveDocument() const
{
    if (lines_.size() < kMinReportLines)
        return {};
    GridTexts grid = editGrid_;
    return BuildSavedReport(lines_, commentLines_, grid);
}

std::string ReportDocument::SavedBytes() { return JoinReportLines(Save()); }

std::string ReportDocument::ExportBytes() const
{
    return BuildExportDocument(measuredGrid_, commentLines_, editGrid_);
}

std::string ReportDocument::ClipboardText(bool measured, const CellRange& range) const
{
    return welkor::ClipboardText(measured ? measuredGrid_ : editGrid_, range);
}

} // namespace welkor
