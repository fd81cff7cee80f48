#pragma once

#include <string>
#include <string_view>

namespace welkor::fuzz {

// A user's session on a report, driven by the input: the report's bytes up to
// the first NUL (a built-in report when they are not a usable one), then one
// command a byte with its arguments: type, paste or delete comment lines;
// type or paste any text into any edit-grid cell, marks included; "Analizuj";
// "Przenieś"; move the track bars; "Zapisz"; open the saved file. Every save
// is held to the save round trip, every reopen gives back what was saved,
// and the session ends with a save and a reopen.
std::string CheckUserSession(std::string_view input);

// The report a session falls back on, as file bytes.
std::string_view BuiltInSessionReport();

} // namespace welkor::fuzz
