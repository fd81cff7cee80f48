#pragma once

#include "gui/reader/ReaderLink.h"

#include <QString>

namespace welkor::gui {

// The reader's settings in group "Czytnik" of the user's settings file.

// The settings from the file; a non-empty `environmentPort` (the variable
// WELKOR_CZYTNIK) names the port instead of the file. Values that make no
// sense fall back to the defaults.
ReaderPortSettings ReadReaderPortSettings(const QString& settingsFile, const QString& environmentPort);

// Writes all the settings; empty when written, else why not (in Polish).
QString StoreReaderPortSettings(const QString& settingsFile, const ReaderPortSettings& settings);

// Writes the port alone (the "Port" menu's choice).
void StoreReaderPort(const QString& settingsFile, const QString& portName);

} // namespace welkor::gui
