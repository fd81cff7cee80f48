#include "ReaderProperties.h"

#include "ReportProperties.h"

#include "core/reader/Transmission.h"
#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"

#include <algorithm>

namespace welkor::fuzz {

namespace {

constexpr std::string_view kDate = "08.12.2026";
constexpr std::string_view kTime = "09:12:44";
constexpr std::string_view kOperator = "Anna Kowalska";

} // namespace

std::string CheckReaderTransmission(std::string_view bytes)
{
    Verdict verdict;
    const TransmissionResult result = ConvertTransmission(bytes, kDate, kTime, kOperator);
    if (!result.ok()) {
        verdict.Expect(result.problem.rfind(kTransmissionRefused, 0) == 0,
                       [&] { return "a refused transmission without \"Nieprawidlowa transmisja.\": " + Shown(result.problem); });
        verdict.Expect(result.lines.empty(), "a refused transmission still gave lines");
        return verdict.Failure();
    }
    verdict.Expect(IsCompleteFrame(bytes), "a transmission without its frame was converted");
    const ReportLines& lines = result.lines;
    if (!verdict.Expect(lines.size() >= kMinReportLines + 1, "a converted report of fewer than 19 lines"))
        return verdict.Failure();

    // A reader sends the whole plate: one value for each well, no more.
    std::size_t values = 0;
    for (std::size_t i = kFirstValueLine; i <= kLastValueLine; ++i)
        values += static_cast<std::size_t>(std::count(lines[i].begin(), lines[i].end(), '\t'));
    verdict.Expect(values == kPlateRows * kPlateColumns,
                   [&] { return "a converted report with " + std::to_string(values) + " values in lines 6-17"; });

    const std::string file = JoinReportLines(lines);
    verdict.Expect(SplitReportText(file) == lines, "the converted report does not survive being written to a file");
    verdict.Expect(ReportProblem(file, lines).empty(),
                   [&] { return "the converted report cannot be opened: " + Shown(ReportProblem(file, lines)); });
    verdict.Expect(lines[4] == "DATE: " + std::string(kDate) + " TIME: " + std::string(kTime),
                   [&] { return "date line " + Shown(lines[4]); });
    verdict.Expect(lines[5] == "OPERATOR: " + std::string(kOperator), [&] { return "operator line " + Shown(lines[5]); });
    verdict.Expect(lines.back() == kTransmissionSucceeded, "the last line is not the success line");

    // The lines framed as the reader would send them convert to themselves.
    const ReportLines sent(lines.begin(), lines.end() - 1);
    const TransmissionResult again = ConvertTransmission(FrameTransmission(sent), kDate, kTime, kOperator);
    verdict.Expect(again.ok() && again.lines == lines,
                   [&] { return "the converted report framed again converts otherwise: " + Shown(again.problem); });

    OpenReport report = OpenLines(lines);
    CheckRangeAndPlate(report.values, 0, 77, verdict);
    GridTexts edit = report.edit;
    CheckSaveRoundTrip(report, report.text.comment, edit, SaveChecks::ReopenAndSaveAgain, verdict);
    return verdict.Failure();
}

} // namespace welkor::fuzz
