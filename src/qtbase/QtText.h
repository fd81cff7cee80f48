#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The boundary between the core's code page 1250 strings and Qt's Unicode.
QString FromCp1250(const std::string& bytes);
std::string ToCp1250(const QString& text);
// The characters of `text` that code page 1250 lacks, each once and separated
// by blanks, appended to those already in `found` (which are not repeated).
QString CharactersOutsideCp1250(const QString& text, QString found = {});
std::vector<std::string> ToCp1250Lines(const QStringList& lines);
QStringList FromCp1250Lines(const std::vector<std::string>& lines);

// A colour of the form 0x00BBGGRR, or 0xFF0000nn for system colour nn, as Qt
// paints it; system colours follow the application palette.
QColor ToQColor(std::uint32_t colour);
