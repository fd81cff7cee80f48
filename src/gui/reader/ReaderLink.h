#pragma once

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
};

// No reader attached: every command is answered by silence.
class NoReaderLink : public ReaderLink {
public:
    bool configured() const override { return false; }
    ReaderAnswer exchange(const std::string&, QWidget*) override { return {}; }
};

} // namespace welkor::gui
