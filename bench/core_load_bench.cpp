// Loading one realistic saved report: the byte split and the three steps of
// the load pipeline that read the report line list.
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string RealisticReport()
{
    std::string bytes = "Welkor WL-1\tCzytnik p\xB3ytek\r\n"
                        "Filtr: 450 nm\tWytrz\xB9sanie: 5 s\r\n"
                        "Tryb: pojedynczy\r\n"
                        "Temperatura: 25,0\r\n"
                        "DATE: 05.03.2024 TIME: 10:15:00\r\n"
                        "OPERATOR: Ma\xB3gorzata Wi\x9Cniewska\r\n";
    for (int c = 0; c < 12; ++c) {
        bytes += std::to_string(c + 1);
        for (int r = 0; r < 8; ++r)
            bytes += "  " + std::to_string(r % 3) + "," + std::to_string(100 + (c * 8 + r) * 7 % 900) + "\t";
        bytes += "\r\n";
    }
    bytes += "Transmisja zako\xF1" "czona powodzeniem.\r\n"
             "Pr\xF3" "bki z partii 12/2024.\r\n"
             "Kon_Kom_Pap\r\n\r\nAnaliza\r\n";
    bytes += "       \t";
    for (int c = 1; c <= 12; ++c)
        bytes += "      " + std::to_string(c) + "\t";
    bytes += "\r\n";
    for (int r = 0; r < 8; ++r) {
        bytes += "  " + std::string(1, static_cast<char>('A' + r)) + "\t";
        for (int c = 1; c <= 12; ++c)
            bytes += c == 1 ? " neg\t" : c == 2 ? " poz\t" : (r + c) % 5 == 0 ? " poni\xBF" "ej\t" : " 1,234\t";
        bytes += "\r\n";
    }
    return bytes;
}

void BM_LoadReport(benchmark::State& state)
{
    const std::string bytes = RealisticReport();
    welkor::ValueTable table;
    welkor::GridTexts stored;
    bool fresh = false;
    // Measure the path of a report with a block, not of a refused one.
    const welkor::ReportLines check = welkor::SplitReportText(bytes);
    welkor::ParseAnalysisBlock(check, stored, fresh);
    if (check.size() != 32 || fresh) {
        state.SkipWithError("the sample report does not parse as a saved report");
        return;
    }
    for (auto _ : state) {
        welkor::ReportLines lines = welkor::SplitReportText(bytes);
        welkor::ParseValueLines(lines, table);
        welkor::ParseAnalysisBlock(lines, stored, fresh);
        welkor::ReportText text = welkor::RebuildReportText(lines, table);
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(fresh);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadReport);

} // namespace
