#include "core/reader/ReaderCommands.h"

namespace welkor {

namespace {

void AppendHexByte(std::string& out, std::uint8_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[value >> 4];
    out += kDigits[value & 0x0F];
}

} // namespace

std::string SingleByteCommand(std::uint8_t controlByte) { return std::string(1, static_cast<char>(controlByte)); }

std::string CompoundCommand(std::uint8_t commandNumber, const ReaderControlBytes& bytes)
{
    std::string command;
    AppendHexByte(command, bytes.startText);
    AppendHexByte(command, commandNumber);
    AppendHexByte(command, bytes.stopText);
    return command;
}

} // namespace welkor
