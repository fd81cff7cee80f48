#pragma once

#include <cstdint>
#include <string>

// What the program sends to the plate reader: seven single control bytes and
// one compound command.
namespace welkor {

struct ReaderControlBytes {
    std::uint8_t startText = 2;      // STX
    std::uint8_t stopText = 3;       // ETX
    std::uint8_t question = 5;       // ENQ
    std::uint8_t acknowledge = 6;    // ACK
    std::uint8_t start = 11;         // VT
    std::uint8_t stop = 13;          // CR
    std::uint8_t noAcknowledge = 15; // SI
};

// A simple command: the control byte itself, one byte long.
std::string SingleByteCommand(std::uint8_t controlByte);

// The compound command for a command number: the start-text byte, the number
// and the stop-text byte, each written as two upper-case hexadecimal digits
// (10 gives "020A03", 255 gives "02FF03").
std::string CompoundCommand(std::uint8_t commandNumber, const ReaderControlBytes& bytes = {});

} // namespace welkor
