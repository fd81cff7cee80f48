#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace welkor::gui {

// What came back from the reader for one command.
struct ReaderAnswer {
    enum class Outcome {
        Answered,  // bytes holds what arrived: a whole frame, part of one, or nothing
        Cancelled, // the user stopped the wait
        Failed,    // the link could not be used; problem says why
    };
    Outcome outcome = Outcome::Answered;
    std::string bytes;
    QString problem;
    // Answered without a whole frame: how the wait ended ("no byte for 10
    // s"), for the user; empty when the link has nothing to add.
    QString ending;
};

// How the reader is reached: group "Czytnik" of the user's settings file.
//   Port=ttyUSB0          the serial port (a name or a full device path)
//   Predkosc=9600         baud rate; 8 data bits, no parity, one stop bit
//   CzasOczekiwania=10    seconds of silence after which the reader is taken
//                         to have stopped: before the first byte of the
//                         answer and between any two bytes of it
struct ReaderPortSettings {
    QString portName; // empty: no reader is configured
    qint32 baudRate = 9600;
    int timeoutMs = 10000; // the silence limit

    bool operator==(const ReaderPortSettings&) const = default;
};

// A serial port of the machine as the system describes it; the texts it
// does not know are empty.
struct ReaderPortInfo {
    QString name;   // "ttyUSB0": what the settings keep
    QString device; // "/dev/ttyUSB0"
    QString description;
    QString maker;
    QString serialNumber;
};

// The line to the plate reader. The window sets the outgoing command and
// asks the link for the reader's answer at once; the link sends the command
// and returns the complete framed answer, or what came before it gave up.
// Nothing a reader sent before the command (the rest of an answer the user
// stopped waiting for) is ever part of the answer.
class ReaderLink {
public:
    virtual ~ReaderLink() = default;

    // True when a port is chosen, so the reader's commands are offered.
    virtual bool configured() const = 0;

    // Sends the command and waits for the reader's answer. `owner` is the
    // window any progress is shown over.
    virtual ReaderAnswer exchange(const std::string& command, QWidget* owner) = 0;

    // The ports the user can choose from and the one in use.
    virtual QStringList portNames() const { return {}; }
    virtual QString portName() const { return {}; }
    virtual void choosePort(const QString& name) { (void)name; }

    // The machine's serial ports with what the system says about them.
    virtual QList<ReaderPortInfo> ports() const { return {}; }

    // The settings in use, and the port the environment variable
    // WELKOR_CZYTNIK names (empty when it is not set), which takes the place
    // of the stored port whenever the program starts.
    virtual ReaderPortSettings portSettings() const { return {portName()}; }
    virtual QString environmentPort() const { return {}; }

    // Stores the settings and uses them from the next command on. Returns
    // why they could not be stored (in Polish); then nothing has changed.
    virtual QString storeSettings(const ReaderPortSettings& settings)
    {
        choosePort(settings.portName);
        return {};
    }

    // Tries `settings` without storing them: sends `command` and returns as
    // soon as the reader answers with anything (or falls silent for the
    // waiting time, or the user cancels, or the port fails).
    virtual ReaderAnswer probe(const ReaderPortSettings& settings, const std::string& command, QWidget* owner)
    {
        (void)settings;
        (void)command;
        (void)owner;
        return {};
    }
};

// No reader attached: every command is answered by silence.
class NoReaderLink : public ReaderLink {
public:
    bool configured() const override { return false; }
    ReaderAnswer exchange(const std::string&, QWidget*) override { return {}; }
};

} // namespace welkor::gui
