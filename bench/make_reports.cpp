// Writes N measurement reports into a folder, as a day's worth of plates:
// numbers with a decimal comma, now and then a state word, a comment line,
// every fourth report saved once with an analysis.
//   make_reports FOLDER N
#include "core/document/ReportDocument.h"
#include "core/report/ReportFile.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "make_reports FOLDER N\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    std::mt19937 random(1208);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int i = 0; i < count; ++i) {
        welkor::ReportLines lines = {"Welkor Lumo 1\tCzytnik mikrop\xB3ytek\tnr 4417", "Program: ELISA IgG, 450 nm",
                                     "P\xB3ytka: PL-2026-" + std::to_string(i), "Tryb odczytu: pojedynczy",
                                     "DATE: 08.12.2026 TIME: 09:12:44", "OPERATOR: Anna Kowalska"};
        for (int c = 1; c <= 12; ++c) {
            std::string line = "Kolumna " + std::to_string(c);
            for (int r = 0; r < 8; ++r)
                line += pick(50) == 0 ? std::string(" blank\t")
                                      : " " + std::to_string(pick(3)) + "," + std::to_string(100 + pick(900)) + "\t";
            lines.push_back(line);
        }
        lines.push_back("Kontrole ujemne: C1-E1, kontrole dodatnie: F1-H1.");
        std::string bytes = welkor::JoinReportLines(lines);
        if (i % 4 == 3) {
            welkor::ReportDocument doc = *welkor::ReportDocument::Open(bytes).document;
            doc.Transfer();
            for (int r = 3; r <= 5; ++r)
                doc.setEditCell(1, r, "neg");
            welkor::ControlCounts counts;
            doc.Analyse(counts, [](const std::string&) {});
            bytes = doc.SavedBytes();
        }
        const std::string name = folder + "/plytka" + std::to_string(100000 + i).substr(1) + ".rap";
        std::FILE* file = std::fopen(name.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
