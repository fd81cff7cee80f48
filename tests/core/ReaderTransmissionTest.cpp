// The reader's command codes and the conversion of its framed transmission
// into report lines.
#include "core/reader/ReaderCommands.h"
#include "core/reader/Transmission.h"
#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"

#include <gtest/gtest.h>

#include <random>

using namespace welkor;

namespace {

const std::string kDate = "08.12.2026";
const std::string kTime = "09:30:15";
const std::string kRefused = "Nieprawid\xB3owa transmisja.";
const std::string kSuccess = "Transmisja zako\xF1" "czona powodzeniem.";

// Eighteen lines as the reader writes them: fields end with CR, numbers carry
// full stops. Unless `closeLast`, the last line's closing CR is the end
// sequence's.
std::vector<std::string> ReaderLines(bool closeLast = false)
{
    std::vector<std::string> lines = {"Czytnik mikrop\xB3ytek\rwersja 2.1\r", "Program: ELISA\r", "Filtr: 450 nm",
                                      "Odczyt 08.12.26", "DATE: 07.12.2026 TIME: 23:59:59", "OPERATOR: nikt"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kol " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r)
            line += " 0." + std::to_string(100 + c * 10 + r) + "\r";
        lines.push_back(line);
    }
    if (!closeLast)
        lines.back().pop_back();
    return lines;
}

std::string Frame(const std::vector<std::string>& readerLines, const std::string& beforeEnd = "")
{
    std::string frame = " ";
    for (std::size_t i = 0; i < readerLines.size(); ++i)
        frame += readerLines[i] + (i + 1 < readerLines.size() ? "\x03" : "");
    return frame + beforeEnd + std::string(kEndSequence);
}

// The report lines the conversion must give for ReaderLines().
std::vector<std::string> ExpectedLines()
{
    std::vector<std::string> lines = {"Czytnik mikrop\xB3ytek\twersja 2,1\t", "Program: ELISA\t", "Filtr: 450 nm",
                                      "Odczyt 08,12,26", "DATE: 08.12.2026 TIME: 09:30:15", "OPERATOR: Marvant"};
    for (int c = 0; c < 12; ++c) {
        std::string line = "Kol " + std::to_string(c + 1);
        for (int r = 0; r < 8; ++r)
            line += " 0," + std::to_string(100 + c * 10 + r) + "\t";
        lines.push_back(line);
    }
    lines.push_back(kSuccess);
    return lines;
}

TransmissionResult Convert(const std::string& frame, const std::string& operatorName = "Marvant")
{
    return ConvertTransmission(frame, kDate, kTime, operatorName);
}

} // namespace

TEST(ReaderCommands, CompoundCommandIsStartNumberAndStopInUpperCaseHex)
{
    EXPECT_EQ(CompoundCommand(0), "020003");
    EXPECT_EQ(CompoundCommand(10), "020A03");
    EXPECT_EQ(CompoundCommand(171), "02AB03");
    EXPECT_EQ(CompoundCommand(255), "02FF03");
    EXPECT_EQ(SingleByteCommand(0x0B), std::string("\x0B", 1));
}

TEST(ReaderTransmission, MinimalFrameGivesNineteenExactLines)
{
    const TransmissionResult result = Convert(Frame(ReaderLines()));
    ASSERT_TRUE(result.ok()) << result.problem;
    EXPECT_EQ(result.lines, ExpectedLines());
}

TEST(ReaderTransmission, ExtraEtxBeforeTheEndGivesALineWithOneTab)
{
    const TransmissionResult result = Convert(Frame(ReaderLines(true), "\x03"));
    ASSERT_TRUE(result.ok()) << result.problem;
    std::vector<std::string> expected = ExpectedLines();
    expected.insert(expected.end() - 1, "\t");
    EXPECT_EQ(result.lines, expected);
}

TEST(ReaderTransmission, AnyChangeToTheFirstOrLastFiveBytesIsRefused)
{
    const std::string good = Frame(ReaderLines());
    std::vector<std::size_t> positions = {0};
    for (std::size_t i = good.size() - 5; i < good.size(); ++i)
        positions.push_back(i);
    for (std::size_t at : positions) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ 0x40);
        const TransmissionResult result = Convert(bad);
        const std::string reason = at == 0
            ? "Odebrane dane nie s\xB9 raportem z pomiaru: transmisja nie zaczyna si\xEA od spacji (pierwszy bajt 0x60)."
            : "Odpowied\x9F niepe\xB3na: urywa si\xEA po " + std::to_string(good.size()) + " bajtach (brak sekwencji ko\xF1" "ca transmisji).";
        EXPECT_EQ(result.problem, kRefused + "\n" + reason) << "byte " << at;
        EXPECT_TRUE(result.lines.empty());
    }
    const std::pair<std::string, std::string> shortFrames[] = {
        {"", "Nie odebrano \xBF" "adnych danych."},
        {" ", "Odpowied\x9F niepe\xB3na: urywa si\xEA po 1 bajcie (brak sekwencji ko\xF1" "ca transmisji)."},
        {std::string(kEndSequence), "Odebrane dane nie s\xB9 raportem z pomiaru: transmisja nie zaczyna si\xEA od spacji (pierwszy bajt 0x0D)."},
        {" " + std::string(kEndSequence).substr(1), "Odpowied\x9F niepe\xB3na: urywa si\xEA po 5 bajtach (brak sekwencji ko\xF1" "ca transmisji)."},
        // Half a frame, as a reader cut off in the middle leaves it.
        {good.substr(0, 300), "Odpowied\x9F niepe\xB3na: urywa si\xEA po 300 bajtach (brak sekwencji ko\xF1" "ca transmisji)."},
    };
    for (const auto& [frame, reason] : shortFrames)
        EXPECT_EQ(Convert(frame).problem, kRefused + "\n" + reason) << frame.size() << " bytes";
}

// A reader sends the whole plate: value lines that do not hold exactly 96
// values are a piece of an answer or no plate, and would put values in the
// wrong wells.
TEST(ReaderTransmission, OnlyAWholePlateIsTaken)
{
    const std::string good = Frame(ReaderLines());
    const std::string refusal = kRefused + "\nOdebrane dane nie s\xB9 raportem z pomiaru: wiersze 7-18 zawieraj\xB9 ";

    std::vector<std::string> lastLineShort = ReaderLines();
    lastLineShort.back() = "Kol 12 0.1\r 0.2\r 0.3\r 0.4\r 0.5\r 0.6\r 0.7"; // H12 missing
    std::vector<std::string> lastLineLong = ReaderLines();
    lastLineLong.back() += "\r 0.9";
    std::vector<std::string> moved = ReaderLines();
    moved[6] += " 0.5\r"; // one more in column 1, one fewer in column 12
    moved.back() = "Kol 12 0.1\r 0.2\r 0.3\r 0.4\r 0.5\r 0.6\r 0.7";

    const std::pair<std::string, std::string> cases[] = {
        {Frame(lastLineShort), refusal + "95 warto\x9C" "ci, a p\xB3ytka ma 96 do\xB3k\xF3w."},
        {Frame(lastLineLong), refusal + "97 warto\x9C" "ci, a p\xB3ytka ma 96 do\xB3k\xF3w."},
        {Frame(moved), ""},
        {good, ""},
    };
    for (const auto& [frame, problem] : cases) {
        const TransmissionResult result = Convert(frame);
        EXPECT_EQ(result.problem, problem);
        EXPECT_EQ(result.lines.empty(), !problem.empty());
    }
}

TEST(ReaderTransmission, AFrameThatIsNoReportIsRefusedWithTheReason)
{
    // The smallest frame: a blank and the end sequence, one line.
    const TransmissionResult empty = Convert(" " + std::string(kEndSequence));
    EXPECT_EQ(empty.problem, kRefused + "\nOdebrane dane nie s\xB9 raportem z pomiaru: ma 1 wiersz, a raport ma ich co najmniej 18.");

    std::vector<std::string> seventeen = ReaderLines();
    seventeen.pop_back();
    EXPECT_NE(Convert(Frame(seventeen)).problem.find("ma 17 wierszy"), std::string::npos);

    std::vector<std::string> word = ReaderLines();
    word[9] = "Kol 4 abc\r 0.2\r 0.2\r 0.2\r 0.2\r 0.2\r 0.2\r 0.2\r";
    const TransmissionResult notANumber = Convert(Frame(word));
    EXPECT_EQ(notANumber.problem, kRefused + "\nOdebrane dane nie s\xB9 raportem z pomiaru: wiersz 10 zawiera "
                                            "warto\x9C\xE6 ' abc', kt\xF3ra nie jest liczb\xB9.");
    EXPECT_TRUE(notANumber.lines.empty());
}

TEST(ReaderTransmission, ControlBytesBecomeBlanksSoTheReportReopens)
{
    std::vector<std::string> lines = ReaderLines();
    lines[0] = std::string("Czytnik\0nr 7\n", 13) + "\x02\x06\x7F\tpole\r";
    lines[12] += std::string(1, '\0');
    const TransmissionResult result = Convert(Frame(lines), std::string("Anna\x01", 5));
    ASSERT_TRUE(result.ok()) << result.problem;
    EXPECT_EQ(result.lines[0], "Czytnik nr 7    \tpole\t");
    EXPECT_EQ(result.lines[5], "OPERATOR: Anna ");
    EXPECT_EQ(result.lines[12], ExpectedLines()[12] + " ");
    const std::string file = JoinReportLines(result.lines);
    EXPECT_EQ(ReportProblem(file, SplitReportText(file)), "");
    EXPECT_EQ(SplitReportText(file), result.lines);
}

// Random damage to a good frame and random bytes: the conversion never reads
// outside its input, and whatever it accepts is a report that saves and
// reopens unchanged and carries this conversion's date, operator and success
// line.
TEST(ReaderTransmission, SurvivesDamagedAndRandomInput)
{
    std::mt19937 random(1250);
    const std::string good = Frame(ReaderLines());
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        if (round % 4 == 3) {
            input.resize(random() % 64);
            for (char& ch : input)
                ch = static_cast<char>(random());
            if (round % 8 == 7)
                input = " " + input + std::string(kEndSequence);
        } else {
            input = good;
            const int edits = 1 + static_cast<int>(random() % 4);
            for (int e = 0; e < edits; ++e) {
                const std::size_t at = input.empty() ? 0 : random() % input.size();
                const char byte = static_cast<char>(random() % 4 == 0 ? random() % 0x20 : random());
                switch (random() % 3) {
                case 0:
                    if (!input.empty())
                        input[at] = byte;
                    break;
                case 1:
                    input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), byte);
                    break;
                default:
                    input.erase(at, random() % 8);
                }
            }
        }
        const TransmissionResult result = Convert(input);
        if (!result.ok()) {
            EXPECT_EQ(result.problem.compare(0, kRefused.size(), kRefused), 0) << result.problem;
            EXPECT_TRUE(result.lines.empty());
            continue;
        }
        ++accepted;
        ASSERT_GE(result.lines.size(), 19u);
        EXPECT_EQ(result.lines[4], "DATE: 08.12.2026 TIME: 09:30:15");
        EXPECT_EQ(result.lines[5], "OPERATOR: Marvant");
        EXPECT_EQ(result.lines.back(), kSuccess);
        const std::string file = JoinReportLines(result.lines);
        EXPECT_EQ(SplitReportText(file), result.lines);
        EXPECT_EQ(ReportProblem(file, result.lines), "");
    }
    // The damage leaves many frames whole: the accepting road is exercised too.
    EXPECT_GT(accepted, 100);
}
