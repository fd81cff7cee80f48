#include "qtbase/QtText.h"

#include "core/text/Cp1250.h"

#include <QGuiApplication>
#include <QPalette>

QString FromCp1250(const std::string& bytes)
{
    const std::u16string text = welkor::Cp1250ToUtf16(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToCp1250(const QString& text)
{
    return welkor::Utf16ToCp1250(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                      static_cast<std::size_t>(text.size())));
}

QString CharactersOutsideCp1250(const QString& text, QString found)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond the basic plane is a pair of code units.
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const QString character = text.mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
        if (welkor::UnicodeToCp1250(codePoint) < 0 && !found.split(QLatin1Char(' ')).contains(character))
            found += (found.isEmpty() ? QString() : QStringLiteral(" ")) + character;
    }
    return found;
}

std::vector<std::string> ToCp1250Lines(const QStringList& lines)
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        out.push_back(ToCp1250(line));
    return out;
}

QStringList FromCp1250Lines(const std::vector<std::string>& lines)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        out.push_back(FromCp1250(line));
    return out;
}

QColor ToQColor(std::uint32_t colour)
{
    if ((colour & 0xFF000000u) == 0xFF000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (colour & 0xFF) {
        case 5: return palette.color(QPalette::Base);            // window background
        case 8: return palette.color(QPalette::Text);            // window text
        case 13: return palette.color(QPalette::Highlight);
        case 14: return palette.color(QPalette::HighlightedText);
        case 15: return palette.color(QPalette::Button);         // button face
        case 18: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
