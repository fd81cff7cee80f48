#pragma once

#include <string>

namespace welkor {

// Letter of a plate row: "A" to "I" for 0 to 8. Any other index leaves `out`
// as it was, so a caller's previous text survives a bad index.
void RowLetter(int index, std::string& out);

} // namespace welkor
