#pragma once

#include "gui/reader/ReaderLink.h"
#include "gui/reader/ReaderSettingsFile.h"

#include <QString>

#include <functional>
#include <memory>

class QSerialPort;

namespace welkor::gui {

// However the reader keeps sending, one answer is cut off after this long:
// five minutes, or twice the silence when that is longer.
int AnswerLimitMs(const ReaderPortSettings& settings);

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
    QList<ReaderPortInfo> ports() const override;
    ReaderPortSettings portSettings() const override { return settings_; }
    QString environmentPort() const override { return environmentPort_; }
    QString storeSettings(const ReaderPortSettings& settings) override;
    ReaderAnswer probe(const ReaderPortSettings& settings, const std::string& command, QWidget* owner) override;

    const ReaderPortSettings& settings() const { return settings_; }
    bool portOpen() const;

private:
    // The command's answer ends with the frame's end sequence, or, for a
    // probe, with the first bytes that come.
    ReaderAnswer Exchange(const std::string& command, QWidget* owner, bool firstBytesEnd);
    QString OpenPort(); // empty when the port is open, else the reason
    void PortFailed(int error);

    QString settingsFile_;
    QString environmentPort_;
    ReaderPortSettings settings_;
    std::unique_ptr<QSerialPort> port_;
    // While a command runs: where the bytes go and who hears of a lost port.
    std::function<void(const QByteArray&)> receive_;
    std::function<void(const QString&)> lost_;
    bool closing_ = false;
};

} // namespace welkor::gui
