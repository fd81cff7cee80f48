#pragma once

#include <string>
#include <string_view>
#include <vector>

// What registering the report file type writes, as plain data: the registry
// keys on Windows and the freedesktop files elsewhere. No file or registry is
// touched here.
//
// Unlike the report text, everything here is UTF-8: desktop entries and MIME
// packages are UTF-8 by definition, registry values are Unicode, and a
// program path may hold characters code page 1250 lacks.
namespace welkor {

// One registry key (a path relative to the classes root, parts separated by
// a backslash) and the text of its default value.
struct RegistryEntry {
    std::string key;
    std::string value;
    bool operator==(const RegistryEntry&) const = default;
};

// The five keys of a file type, in the order they are written: the
// extension names the type; the type carries its description, its icon (the
// program's first icon), the "open" verb and the command that opens a
// document, the program path and the document path each in double quotes.
std::vector<RegistryEntry> WindowsFileTypeEntries(std::string_view extension, std::string_view typeName,
                                                  std::string_view description, std::string_view programPath);

// One argument of a desktop entry's Exec line: unchanged when it holds no
// reserved character, else in double quotes with ", `, $ and \ escaped by a
// backslash. A literal % becomes %% so it is never taken for a field code.
std::string QuoteExecArgument(std::string_view argument);

// A value of string type as it stands in a desktop entry or mimeapps.list:
// backslash, line feed, carriage return and tab written as \\, \n, \r, \t.
std::string EscapeDesktopString(std::string_view value);

// Whether a program path can stand first on an Exec line at all: the desktop
// entry format forbids an equals sign there, quoted or not.
bool ExecProgramPathAllowed(std::string_view programPath);

struct DesktopEntryFields {
    std::string name;        // "Welkor Lumo 1"
    std::string comment;     // the tooltip of the menu entry
    std::string programPath; // full path, or a bare name looked up on PATH
    std::string icon;        // icon name in the icon theme
    std::string mimeType;    // the type the program opens
};

// A desktop entry that starts the program with one file ("%f").
std::string DesktopEntryText(const DesktopEntryFields& fields);

// A shared-mime-info package that names files matching the pattern (as
// "*.rap") with the type; the type is text underneath, so text editors are
// offered too.
std::string MimePackageXml(std::string_view mimeType, std::string_view comment, std::string_view globPattern,
                           std::string_view icon);

// mimeapps.list with `desktopId` made the default application of `mimeType`:
// only that one line of the [Default Applications] group is added or
// changed (other programs named on it stay, after ours); every other line,
// the user's other associations among them, stays as it was. Merging into a
// text that already has the line returns it unchanged.
std::string MergeDefaultApplication(std::string_view mimeAppsList, std::string_view mimeType,
                                    std::string_view desktopId);

} // namespace welkor
