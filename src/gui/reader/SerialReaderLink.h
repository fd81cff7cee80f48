#pragma once

#include "gui/reader/ReaderLink.h"

#include <QString>

#include <memory>

class QSerialPort;

// How the reader is reached: group "Czytnik" of the user's settings file.
//   Port=ttyUSB0          the serial port (a name or a full device path)
//   Predkosc=9600         baud rate; 8 data bits, no parity, one stop bit
//   CzasOczekiwania=10    seconds to wait for the reader's whole answer
struct ReaderPortSettings {
    QString portName; // empty: no reader is configured
    qint32 baudRate = 9600;
    int timeoutMs = 10000;
};

// The settings from the file; a non-empty `environmentPort` (the variable
// WELKOR_CZYTNIK) names the port instead of the file. Values that make no
// sense fall back to the defaults.
ReaderPortSettings ReadReaderPortSettings(const QString& settingsFile, const QString& environmentPort);

// The reader on a serial port. A command is written to the port and the
// answer collected until the end sequence arrives, the time-out passes, or
// the user cancels; meanwhile a modal progress window is shown and the event
// loop keeps running (the window repaints, its clock ticks).
class SerialReaderLink : public ReaderLink {
public:
    SerialReaderLink(const QString& settingsFile, const QString& environmentPort);
    ~SerialReaderLink() override;

    bool configured() const override { return !settings_.portName.isEmpty(); }
    ReaderAnswer exchange(const std::string& command, QWidget* owner) override;
    QStringList portNames() const override;
    QString portName() const override;
    void choosePort(const QString& name) override;

    const ReaderPortSettings& settings() const { return settings_; }

private:
    QString OpenPort(); // empty when the port is open, else the reason

    QString settingsFile_;
    ReaderPortSettings settings_;
    std::unique_ptr<QSerialPort> port_;
};

// The link of the running program: the user's settings file and WELKOR_CZYTNIK.
std::unique_ptr<ReaderLink> ProgramReaderLink();
