#pragma once

#include "gui/reader/ReaderLink.h"

#include <memory>

namespace welkor::gui {

// The function the serial module (src/serial) exports: a new link to the
// reader over a serial port, with the settings of `settingsFile` (a
// non-empty `environmentPort` names the port instead).
inline constexpr char kSerialLinkEntry[] = "welkor_serial_link";
using SerialLinkEntry = ReaderLink* (*)(const QString& settingsFile, const QString& environmentPort);

// The reader link of the running program. Qt's serial port support lives in
// a module of its own, loaded at the first step that needs a port (a
// command to the reader, the list of ports, the set-up's test): linked
// into the program it would be loaded at every start, and most sessions
// never talk to a reader. Until then the settings are read from the file as
// the serial link reads them; from then on every call goes to that link.
// A module that cannot be loaded is a UserError on each such step.
class ModuleReaderLink : public ReaderLink {
public:
    ModuleReaderLink(const QString& moduleFile, const QString& settingsFile, const QString& environmentPort);
    ~ModuleReaderLink() override;

    bool configured() const override;
    ReaderPortSettings portSettings() const override;
    QString environmentPort() const override { return environmentPort_; }

    ReaderAnswer exchange(const std::string& command, QWidget* owner) override;
    QStringList portNames() const override;
    QString portName() const override;
    void choosePort(const QString& name) override;
    QList<ReaderPortInfo> ports() const override;
    QString storeSettings(const ReaderPortSettings& settings) override;
    ReaderAnswer probe(const ReaderPortSettings& settings, const std::string& command, QWidget* owner) override;

    bool loaded() const { return link_ != nullptr; }

private:
    ReaderLink& Link() const;

    QString moduleFile_;
    QString settingsFile_;
    QString environmentPort_;
    ReaderPortSettings settings_; // as read at start, until the link is loaded
    mutable std::unique_ptr<ReaderLink> link_;
};

// The link of the running program: the user's settings file, WELKOR_CZYTNIK
// and the serial module `moduleFile`.
std::unique_ptr<ReaderLink> ProgramReaderLink(const QString& moduleFile);

} // namespace welkor::gui
