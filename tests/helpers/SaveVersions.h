#pragma once

#include <optional>
#include <string>

// Contents of a file that is saved again and again: version k is a header
// naming k, a body whose length depends on k, and a closing line, so any
// whole version is told apart from a cut or mixed one.
inline std::string SaveVersion(unsigned k)
{
    const std::size_t body = 1000 + (k * 7919u) % 150000u;
    return "wersja " + std::to_string(k) + "\n" + std::string(body, static_cast<char>('a' + k % 26)) + "\nkoniec " +
           std::to_string(k) + "\n";
}

// The version the bytes are, whole; nothing when they are no whole version.
inline std::optional<unsigned> WholeSaveVersion(const std::string& bytes)
{
    if (bytes.rfind("wersja ", 0) != 0)
        return std::nullopt;
    const std::size_t end = bytes.find('\n');
    if (end == std::string::npos || end > 20)
        return std::nullopt;
    const unsigned k = static_cast<unsigned>(std::stoul(bytes.substr(7, end - 7)));
    if (bytes != SaveVersion(k))
        return std::nullopt;
    return k;
}
