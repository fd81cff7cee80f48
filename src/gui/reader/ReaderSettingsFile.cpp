#include "gui/reader/ReaderSettingsFile.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace welkor::gui {

namespace {

const QString kGroup = QStringLiteral("Czytnik");
const QString kPortKey = QStringLiteral("Port");
const QString kBaudKey = QStringLiteral("Predkosc");
const QString kTimeoutKey = QStringLiteral("CzasOczekiwania");

} // namespace

ReaderPortSettings ReadReaderPortSettings(const QString& settingsFile, const QString& environmentPort)
{
    ReaderPortSettings settings;
    QSettings file(settingsFile, QSettings::IniFormat);
    file.beginGroup(kGroup);
    settings.portName = environmentPort.trimmed().isEmpty() ? file.value(kPortKey).toString().trimmed()
                                                            : environmentPort.trimmed();
    bool ok = false;
    const int baud = file.value(kBaudKey).toInt(&ok);
    if (ok && baud > 0)
        settings.baudRate = baud;
    const double seconds = file.value(kTimeoutKey).toDouble(&ok);
    if (ok && std::isfinite(seconds) && seconds > 0)
        settings.timeoutMs = static_cast<int>(std::clamp(seconds * 1000.0, 1.0, 3600.0 * 1000.0));
    return settings;
}

QString StoreReaderPortSettings(const QString& settingsFile, const ReaderPortSettings& settings)
{
    QSettings file(settingsFile, QSettings::IniFormat);
    file.beginGroup(kGroup);
    file.setValue(kPortKey, settings.portName);
    file.setValue(kBaudKey, settings.baudRate);
    // Whole seconds are written as such ("10"), a fraction as the file
    // format's number ("0.5").
    if (settings.timeoutMs % 1000 == 0)
        file.setValue(kTimeoutKey, settings.timeoutMs / 1000);
    else
        file.setValue(kTimeoutKey, settings.timeoutMs / 1000.0);
    file.endGroup();
    file.sync();
    if (file.status() == QSettings::NoError)
        return {};
    return QStringLiteral("Nie można zapisać ustawień czytnika w pliku „%1”: %2")
        .arg(QDir::toNativeSeparators(settingsFile),
             file.status() == QSettings::FormatError
                 ? QStringLiteral("plik nie jest plikiem ustawień.")
                 : QStringLiteral("brak prawa zapisu do pliku lub jego katalogu albo brak miejsca na dysku."));
}

void StoreReaderPort(const QString& settingsFile, const QString& portName)
{
    QSettings file(settingsFile, QSettings::IniFormat);
    file.setValue(kGroup + QLatin1Char('/') + kPortKey, portName);
    file.sync();
}

} // namespace welkor::gui
