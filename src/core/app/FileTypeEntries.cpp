#include "core/app/FileTypeEntries.h"

#include <algorithm>

namespace welkor {

namespace {

constexpr std::string_view kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string XmlEscaped(std::string_view text)
{
    std::string out;
    for (char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += ch;
        }
    }
    return out;
}

bool IsGroupHeader(std::string_view line)
{
    line = Trim(line);
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

} // namespace

std::vector<RegistryEntry> WindowsFileTypeEntries(std::string_view extension, std::string_view typeName,
                                                  std::string_view description, std::string_view programPath)
{
    const std::string type(typeName);
    const std::string program(programPath);
    return {
        {std::string(extension), type},
        {type, std::string(description)},
        {type + "\\DefaultIcon", program + ",0"},
        {type + "\\Shell\\Open", "&Open"},
        {type + "\\Shell\\Open\\Command", "\"" + program + "\" \"%1\""},
    };
}

std::string QuoteExecArgument(std::string_view argument)
{
    std::string body;
    for (char ch : argument) {
        if (ch == '%')
            body += "%%";
        else
            body += ch;
    }
    if (!argument.empty() && argument.find_first_of(kReservedInExec) == std::string_view::npos)
        return body;
    std::string quoted = "\"";
    for (char ch : body) {
        if (ch == '"' || ch == '`' || ch == '$' || ch == '\\')
            quoted += '\\';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string EscapeDesktopString(std::string_view value)
{
    std::string out;
    for (char ch : value) {
        switch (ch) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += ch;
        }
    }
    return out;
}

bool ExecProgramPathAllowed(std::string_view programPath)
{
    return !programPath.empty() && programPath.find('=') == std::string_view::npos;
}

std::string DesktopEntryText(const DesktopEntryFields& fields)
{
    std::string out = "[Desktop Entry]\n"
                      "Type=Application\n"
                      "Version=1.0\n";
    out += "Name=" + EscapeDesktopString(fields.name) + "\n";
    out += "Comment=" + EscapeDesktopString(fields.comment) + "\n";
    // The quoting is undone after the string escapes, so it is applied first.
    out += "Exec=" + EscapeDesktopString(QuoteExecArgument(fields.programPath) + " %f") + "\n";
    out += "Icon=" + EscapeDesktopString(fields.icon) + "\n";
    out += "Terminal=false\n";
    out += "MimeType=" + fields.mimeType + ";\n";
    out += "Categories=Science;MedicalSoftware;\n";
    out += "Keywords=mikropłytka;płytka;czytnik;ELISA;raport;analiza;\n";
    return out;
}

std::string MimePackageXml(std::string_view mimeType, std::string_view comment, std::string_view globPattern,
                           std::string_view icon)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    out += "  <mime-type type=\"" + XmlEscaped(mimeType) + "\">\n";
    out += "    <comment>" + XmlEscaped(comment) + "</comment>\n";
    out += "    <sub-class-of type=\"text/plain\"/>\n";
    out += "    <icon name=\"" + XmlEscaped(icon) + "\"/>\n";
    out += "    <glob pattern=\"" + XmlEscaped(globPattern) + "\"/>\n";
    out += "  </mime-type>\n"
           "</mime-info>\n";
    return out;
}

std::string MergeDefaultApplication(std::string_view mimeAppsList, std::string_view mimeType,
                                    std::string_view desktopId)
{
    // Lines without their line feeds; a carriage return stays with its line.
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < mimeAppsList.size();) {
        const std::size_t end = mimeAppsList.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(mimeAppsList.substr(start));
            break;
        }
        lines.push_back(mimeAppsList.substr(start, end - start));
        start = end + 1;
    }

    const auto groupStart = std::find_if(lines.begin(), lines.end(), [](std::string_view line) {
        return Trim(line) == "[Default Applications]";
    });
    std::string ours;
    std::size_t replaceAt = lines.size(); // the line to replace, if any
    std::size_t insertAt = lines.size();  // where a new line goes, if none
    if (groupStart != lines.end()) {
        std::size_t i = static_cast<std::size_t>(groupStart - lines.begin()) + 1;
        insertAt = i;
        for (; i < lines.size() && !IsGroupHeader(lines[i]); ++i) {
            const std::string_view line = lines[i];
            if (!Trim(line).empty())
                insertAt = i + 1;
            const std::size_t equals = line.find('=');
            if (equals == std::string_view::npos || Trim(line.substr(0, equals)) != mimeType)
                continue;
            // Our program first, the others named there after it.
            ours = std::string(mimeType) + "=" + std::string(desktopId) + ";";
            std::string_view rest = line.substr(equals + 1);
            while (!rest.empty()) {
                const std::size_t semicolon = rest.find(';');
                const std::string_view item = Trim(rest.substr(0, semicolon));
                if (!item.empty() && item != desktopId)
                    ours += std::string(item) + ";";
                rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
            }
            if (Trim(line) == ours)
                return std::string(mimeAppsList);
            replaceAt = i;
            break;
        }
    }
    if (ours.empty())
        ours = std::string(mimeType) + "=" + std::string(desktopId) + ";";

    std::string out;
    auto addLine = [&out](std::string_view line) {
        out += line;
        out += '\n';
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == replaceAt) {
            addLine(ours);
            continue;
        }
        if (i == insertAt && replaceAt == lines.size() && groupStart != lines.end())
            addLine(ours);
        addLine(lines[i]);
    }
    if (groupStart != lines.end() && insertAt == lines.size() && replaceAt == lines.size())
        addLine(ours);
    if (groupStart == lines.end()) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            out += '\n';
        addLine("[Default Applications]");
        addLine(ours);
    }
    return out; // every line now ends with a line feed, the last one too
}

} // namespace welkor
