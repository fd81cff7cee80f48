#pragma once

#include "core/report/ReportTypes.h"

#include <string>
#include <string_view>

namespace welkor {

// Why the file's bytes (already split into lines) cannot be opened as a
// report, as a sentence for the user in code page 1250; empty when they can.
// Refused: an empty or short file, binary content (control bytes other than
// tab, CR and LF, or DEL, before the end of the text), value lines without a single
// value, and a value that is neither a number nor a well state word (the
// plate could not be coloured from it).
std::string ReportProblem(std::string_view bytes, const ReportLines& lines);

} // namespace welkor
