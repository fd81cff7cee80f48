#pragma once

// A real ELISA calibration on a plate, for the curve's tests and benchmark:
// R's datasets::DNase ("Elisa assay of DNase", Davidian & Giltinan 1995),
// run 1 as 16 standards in columns 1-2 (8 concentrations in duplicate), runs
// 2 and 3 as samples in columns 3-6, and G7, H7 two readings below the
// curve's response; every other well blank.
#include "core/report/ReportFile.h"

#include <string>

namespace dnase {

// The standards' concentrations, as typed in the edit grid (decimal comma).
inline constexpr const char* kConcentrations[8] = {"0,04882812", "0,1953125", "0,390625", "0,78125",
                                                   "1,5625",     "3,125",     "6,25",     "12,5"};
inline constexpr const char* kStandards[2][8] = {{"0,017", "0,121", "0,206", "0,377", "0,614", "1,019", "1,334", "1,730"},
                                                 {"0,018", "0,124", "0,215", "0,374", "0,609", "1,001", "1,364", "1,710"}};

// Runs 2 and 3 (duplicates in turn, 8 to a column) with the concentration R
// 4.2.2's 4PL fit of run 1 reads off, or 0 where the reading lies above the
// curve's range:
//   nls(density ~ A + (B - A)/(1 + exp((xmid - log(conc))/scal)), Run == 1)
//   conc = exp(xmid)·((A − B)/(y − B) − 1)^scal
struct Sample {
    const char* reading;
    double concentration;
};
inline constexpr Sample kSamples[32] = {
    {"0,045", 0.0808007943879}, {"0,050", 0.0891426541343}, {"0,137", 0.24603772066},   {"0,123", 0.219399462097},
    {"0,225", 0.425105468237},  {"0,207", 0.386842042129},  {"0,401", 0.846473874523},  {"0,383", 0.799197857534},
    {"0,672", 1.69951307323},   {"0,681", 1.73314582559},   {"1,116", 3.99441005284},   {"1,078", 3.73148394262},
    {"1,554", 8.91637091633},   {"1,526", 8.44123003346},   {"1,932", 0},               {"1,914", 0},
    {"0,070", 0.12330963793},   {"0,068", 0.119837898234},  {"0,173", 0.316869425289},  {"0,165", 0.300839833697},
    {"0,277", 0.540485710711},  {"0,248", 0.475242848351},  {"0,434", 0.935838526518},  {"0,426", 0.913848256673},
    {"0,703", 1.81704726122},   {"0,689", 1.76337545215},   {"1,067", 3.65841089765},   {"1,077", 3.72478631501},
    {"1,629", 10.3732169958},   {"1,479", 7.71336079481},   {"2,003", 0},               {"1,884", 0}};

// The plate as a report file; with `blank`, every well blank.
inline std::string Report(bool blank = false)
{
    welkor::ReportLines lines = {"Welkor Lumo 1\tCzytnik mikrop\xB3ytek", "Program: ELISA DNase, 450 nm",
                                 "P\xB3ytka: DNase", "Tryb odczytu: pojedynczy", "DATE: 08.12.2026 TIME: 09:12:44",
                                 "OPERATOR: Marvant"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kolumna " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r) {
            std::string value = "blank";
            if (blank)
                ;
            else if (c < 2)
                value = kStandards[c][r];
            else if (c < 6)
                value = kSamples[(c - 2) * 8 + r].reading;
            else if (c == 6 && r >= 6)
                value = r == 6 ? "0,010" : "0,020";
            line += " " + value + "\t";
        }
        lines.push_back(line);
    }
    return welkor::JoinReportLines(lines);
}

// The edit grid's mark of a standard in row `row` (0 = A): "std 0,04882812".
inline std::string StandardMark(int row) { return std::string("std ") + kConcentrations[row]; }

// The 16 standards as `krzywa --standardy` takes them: "A1=0.04882812,...".
inline std::string StandardsOption()
{
    std::string items;
    for (int c = 1; c <= 2; ++c)
        for (int r = 0; r < 8; ++r) {
            std::string concentration = kConcentrations[r];
            for (char& ch : concentration)
                if (ch == ',')
                    ch = '.';
            items += (items.empty() ? "" : ",") + std::string(1, static_cast<char>('A' + r)) + std::to_string(c) + "="
                + concentration;
        }
    return items;
}

} // namespace dnase
