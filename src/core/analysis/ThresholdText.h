#pragma once

#include "core/text/DecimalNumber.h"

#include <string>

namespace welkor {

// The threshold as status panel 3 shows it after "Próg: ". The number is
// written in the general format (15 significant digits, decimal comma) and
// cut, not rounded, to the panel's width: six characters, seven when there
// may be a minus sign. ELISA thresholds keep that look ("0,3166" for
// 0,31665). A cut that would change the meaning - dropping integer digits,
// an exponent, or every significant digit but one ("0,0000" for 0,00003) -
// is not made: such a value is written as a mantissa cut to the same width
// and its exponent ("3E-5", "1,2345E-6", "1,2345E6").
std::string ThresholdText(const DecimalNumber& threshold);

// The number in the general format with every digit it has ("0,61665",
// "1,5E-7"), nothing cut.
std::string GeneralText(const DecimalNumber& number);

} // namespace welkor
