#include "core/reader/Transmission.h"

#include "core/report/ReportCheck.h"
#include "core/report/ReportFile.h"
#include "core/report/ReportParsing.h"
#include "core/text/Cp1250Literal.h"

#include <algorithm>

namespace welkor {

namespace {

constexpr char kEtx = 0x03;
constexpr char kCr = 0x0D;
constexpr char kTab = '\t';

// A control byte other than the tab cannot stay in a report line: a line
// feed would split the line when the file is read back, the rest would make
// the file look binary.
char TextByte(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return ((byte < 0x20 && ch != kTab) || byte == 0x7F) ? ' ' : ch;
}

std::string PlainText(std::string_view text)
{
    std::string out(text);
    for (char& ch : out)
        ch = TextByte(ch);
    return out;
}

// The report check speaks of a file; here the bytes came over the link.
std::string Refusal(const std::string& reason)
{
    static constexpr std::string_view kFileWords = "Plik nie jest raportem z pomiaru: ";
    std::string text(kTransmissionRefused);
    if (reason.empty())
        return text;
    text += '\n';
    if (reason.compare(0, kFileWords.size(), kFileWords) == 0)
        text += "Odebrane dane nie są raportem z pomiaru: "_cp1250 + reason.substr(kFileWords.size());
    else
        text += reason;
    return text;
}

// Why bytes that should be a frame are not one: nothing came, the end
// sequence never came (the answer broke off), or the first byte is wrong.
std::string FrameProblem(std::string_view bytes)
{
    std::string text(kTransmissionRefused);
    text += '\n';
    if (bytes.empty())
        return text + "Nie odebrano żadnych danych."_cp1250;
    if (!EndsWithEndSequence(bytes))
        return text + "Odpowiedź niepełna: urywa się po "_cp1250 + std::to_string(bytes.size())
            + (bytes.size() == 1 ? " bajcie" : " bajtach") + " (brak sekwencji końca transmisji)."_cp1250;
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto first = static_cast<unsigned char>(bytes.front());
    return text + "Odebrane dane nie są raportem z pomiaru: transmisja nie zaczyna się od spacji (pierwszy bajt 0x"_cp1250
        + kHex[first >> 4] + kHex[first & 0x0F] + ").";
}

// A reader always sends the whole plate: the value lines hold one value for
// each of the 96 wells, no more and no fewer. Anything else is a piece of an
// answer (the tail of an earlier one) or not a plate at all, and its values
// would land in the wrong wells.
std::string PlateShapeProblem(const ReportLines& lines)
{
    constexpr std::size_t wells = kPlateRows * kPlateColumns;
    std::size_t values = 0;
    for (std::size_t i = kFirstValueLine; i <= kLastValueLine; ++i)
        values += static_cast<std::size_t>(std::count(lines[i].begin(), lines[i].end(), kTab));
    if (values == wells)
        return {};
    return "Odebrane dane nie są raportem z pomiaru: wiersze 7-18 zawierają "_cp1250 + std::to_string(values)
        + (values == 1 ? " wartość"_cp1250 : " wartości"_cp1250) + ", a płytka ma "_cp1250 + std::to_string(wells)
        + " dołków."_cp1250;
}

} // namespace

bool EndsWithEndSequence(std::string_view bytes)
{
    return bytes.size() >= kEndSequence.size() && bytes.substr(bytes.size() - kEndSequence.size()) == kEndSequence;
}

bool IsCompleteFrame(std::string_view bytes)
{
    return bytes.size() > kEndSequence.size() && bytes.front() == ' ' && EndsWithEndSequence(bytes);
}

TransmissionResult ConvertTransmission(std::string_view transmission, std::string_view date, std::string_view time,
                                       std::string_view operatorName)
{
    TransmissionResult result;
    if (!IsCompleteFrame(transmission)) {
        result.problem = FrameProblem(transmission);
        return result;
    }

    ReportLines lines;
    std::string current;
    for (char ch : transmission.substr(1, transmission.size() - 1 - kEndSequence.size())) {
        if (ch == kEtx) {
            lines.push_back(std::move(current));
            current.clear();
        } else if (ch == kCr) {
            current += kTab;
        } else if (ch == '.') {
            current += ',';
        } else {
            current += TextByte(ch);
        }
    }
    current += kTab;
    lines.push_back(std::move(current));

    if (std::string shortage = CheckReportContent(lines); !shortage.empty()) {
        result.problem = Refusal(shortage);
        return result;
    }
    if (std::string shape = PlateShapeProblem(lines); !shape.empty()) {
        result.problem = Refusal(shape);
        return result;
    }
    lines[4] = "DATE: " + PlainText(date) + " TIME: " + PlainText(time);
    lines[5] = "OPERATOR: " + PlainText(operatorName);
    lines.emplace_back(kTransmissionSucceeded);

    if (std::string problem = ReportProblem(JoinReportLines(lines), lines); !problem.empty()) {
        result.problem = Refusal(problem);
        return result;
    }
    result.lines = std::move(lines);
    return result;
}

std::string FrameTransmission(const ReportLines& lines)
{
    std::string frame = " ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        const bool last = i + 1 == lines.size();
        if (last && !line.empty() && line.back() == kTab)
            line.remove_suffix(1);
        for (char ch : line)
            frame += ch == kTab ? kCr : ch == ',' ? '.' : ch;
        if (!last)
            frame += kEtx;
    }
    frame += kEndSequence;
    return frame;
}

} // namespace welkor
