#pragma once

#include "core/report/ReportTypes.h"

#include <string>
#include <string_view>

namespace welkor {

// Why the file's bytes (already split into lines) cannot be opened as a
// report, as a sentence for the user in code page 1250; empty when they can.
// Refused: an empty or short file, value lines without a single value, a
// value that is neither a number nor a well state word (the plate could not
// be coloured from it) and a number beyond the range of a double. Control
// bytes are ordinary text in a usable report; in a refused one they make the
// reason "binary data".
std::string ReportProblem(std::string_view bytes, const ReportLines& lines);

// The same refusal for a text of more lines or a longer line than a report
// has (ReportShapeProblem), found before the text is split: the reason of
// ReportProblem when the text cannot be a report by its shape, else empty.
std::string ReportShapeProblem(std::string_view bytes);

} // namespace welkor
