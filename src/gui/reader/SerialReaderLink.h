#pragma once

#include "gui/reader/ReaderLink.h"

#include <QString>

#include <functional>
#include <memory>

class QSerialPort;

namespace welkor::gui {

// How the reader is reached: group "Czytnik" of the user's settings file.
//   Port=ttyUSB0          the serial port (a name or a full device path)
//   Predkosc=9600         baud rate; 8 data bits, no parity, one stop bit
//   CzasOczekiwania=10    seconds of silence after which the reader is taken
//                         to have stopped: before the first byte of the
//                         answer and between any two bytes of it
// However the reader keeps sending, one answer is cut off after
// AnswerLimitMs (five minutes, or twice the silence when that is longer).
struct ReaderPortSettings {
    QString portName; // empty: no reader is configured
    qint32 baudRate = 9600;
    int timeoutMs = 10000; // the silence limit
};

int AnswerLimitMs(const ReaderPortSettings& settings);

// The settings from the file; a non-empty `environmentPort` (the variable
// WELKOR_CZYTNIK) names the port instead of the file. Values that make no
// sense fall back to the defaults.
ReaderPortSettings ReadReaderPortSettings(const QString& settingsFile, const QString& environmentPort);

// The reader on a serial port. Before a command is written, whatever the
// reader is still sending is thrown away until the line has been quiet for a
// moment; then the answer is collected until the end sequence arrives, the
// reader falls silent, the answer limit passes or the user cancels.
// Meanwhile a modal progress window is shown and the event loop keeps
// running (the window repaints, its clock ticks). Between commands the port
// stays open and anything arriving is dropped; a port that hangs up or
// vanishes is closed at once and opened again by the next command.
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
    bool portOpen() const;

private:
    QString OpenPort(); // empty when the port is open, else the reason
    void PortFailed(int error);

    QString settingsFile_;
    ReaderPortSettings settings_;
    std::unique_ptr<QSerialPort> port_;
    // While a command runs: where the bytes go and who hears of a lost port.
    std::function<void(const QByteArray&)> receive_;
    std::function<void(const QString&)> lost_;
    bool closing_ = false;
};

// The link of the running program: the user's settings file and WELKOR_CZYTNIK.
std::unique_ptr<ReaderLink> ProgramReaderLink();

} // namespace welkor::gui
