#pragma once

#include <string>
#include <string_view>

namespace welkor::fuzz {

// What goes out of the program, read back as its readers read it: the long
// CSV parsed field by field against the report, the plate CSV's shape, the
// export's lines and fields, the clipboard text's cells, the plate SVG as
// well-formed XML. The input is a report (opened as the window opens it, its
// comment lines typed into the edit grid) and, whatever it is, a plate whose
// well texts are the input's tab-separated pieces.
std::string CheckOutputFormats(std::string_view bytes);

} // namespace welkor::fuzz
