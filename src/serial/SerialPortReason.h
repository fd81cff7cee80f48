#pragma once

#include <QSerialPort>
#include <QString>

namespace welkor::gui {

// Why a serial port could not be used, said in Polish. Qt gives the reason
// in English: the C library's text for the system error ("Permission
// denied", "Resource temporarily unavailable") or a sentence of its own
// ("Permission error while locking the device"). `systemText` is that text,
// `device` the port's device file (for a port the user may not open, the
// answer says which group may).
QString SerialPortReason(QSerialPort::SerialPortError error, const QString& systemText, const QString& device);

// For a device the user may not open: who may (the device's group) and how
// to become one of them. Empty where the system has no such groups or the
// device cannot be looked at.
QString PortPermissionAdvice(const QString& device);

// The reason a port that was open stopped working: the device vanished from
// the system, the line hung up (the reader was unplugged or switched off,
// the other end closed), or what the system said.
QString LostPortReason(QSerialPort::SerialPortError error, const QString& systemText, const QString& device);

// The device file of a port name ("ttyUSB0" -> "/dev/ttyUSB0"); a path is
// kept as it is.
QString PortDevice(const QString& portName);

} // namespace welkor::gui
