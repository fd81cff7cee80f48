#pragma once

#include "core/report/ReportTypes.h"
#include "core/text/Cp1250Literal.h"

#include <cstddef>
#include <string>
#include <string_view>

// The reader's framed text transmission and its conversion into the report
// line list. A frame is a blank, the body and the end sequence CR ETX STX ACK
// ETX. In the body ETX ends a report line, CR ends a field and numbers carry
// a full stop. Everything here is a pure function of its arguments, so any
// byte string can be thrown at it.
namespace welkor {

inline constexpr std::string_view kEndSequence = "\x0D\x03\x02\x06\x03";
inline constexpr std::string_view kTransmissionRefused = "Nieprawidłowa transmisja."_cp1250;
inline constexpr std::string_view kTransmissionSucceeded = "Transmisja zakończona powodzeniem."_cp1250;

// A reader never sends more than a few kilobytes; a link stops listening
// after this much.
inline constexpr std::size_t kMaxTransmissionBytes = std::size_t{1} << 20;

// True when the bytes end with the end sequence: the reader has finished.
bool EndsWithEndSequence(std::string_view bytes);

// True when the bytes are a whole frame: at least six bytes, a blank first
// and the end sequence last.
bool IsCompleteFrame(std::string_view bytes);

struct TransmissionResult {
    ReportLines lines;   // the converted report when problem is empty
    std::string problem; // why the transmission was refused, for the user

    bool ok() const { return problem.empty(); }
};

// The report a transmission holds. The frame is checked first; then the body
// is split into lines (ETX ends a line, CR becomes a tab, a full stop a
// comma, any other control byte a blank, so the report can always be saved
// and reopened), the last line gets its tab, line 4 becomes "DATE: <date>
// TIME: <time>", line 5 "OPERATOR: <operator>", and the success line is
// added. The result must hold a whole plate (18 lines from the reader, value
// lines 6-17 with exactly 96 values in all) and pass the check a report file
// gets (values that are numbers or well state words). Anything else is
// refused with "Nieprawidłowa transmisja." and, in a second line, what was
// wrong: nothing came, the answer broke off after so many bytes, or the bytes
// are not a plate and why. date, time and operatorName are code page 1250
// texts taken from one reading of the clock.
TransmissionResult ConvertTransmission(std::string_view transmission, std::string_view date, std::string_view time,
                                       std::string_view operatorName);

// The frame a reader sends for a report: the inverse of the split above
// (tab -> CR, comma -> full stop, lines joined by ETX). The last line's
// closing tab is left to the end sequence's CR.
std::string FrameTransmission(const ReportLines& lines);

} // namespace welkor
