#include "serial/SerialReaderLink.h"

#include "core/reader/Transmission.h"
#include "gui/reader/ReaderSettingsFile.h"
#include "serial/SerialPortReason.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace welkor::gui {

namespace {

// How a wait on the port ended.
enum WaitEnd { Quiet = 1, StillSending, Complete, Silence, OverLimit, Cancelled, PortLost, TooLong };

// How long the line must be quiet before a command goes out: long enough
// for a reader in the middle of an answer to show it is still sending.
constexpr int kQuietMs = 250;

// "10" or "0,3": seconds as the user set them.
QString SecondsText(int ms)
{
    if (ms % 1000 == 0)
        return QString::number(ms / 1000);
    return QLocale(QLocale::Polish).toString(ms / 1000.0, 'g', 6);
}

} // namespace

int AnswerLimitMs(const ReaderPortSettings& settings)
{
    constexpr int kFiveMinutes = 5 * 60 * 1000;
    return std::max(kFiveMinutes, 2 * settings.timeoutMs);
}

SerialReaderLink::SerialReaderLink(const QString& settingsFile, const QString& environmentPort)
    : settingsFile_(settingsFile),
      environmentPort_(environmentPort.trimmed()),
      settings_(ReadReaderPortSettings(settingsFile, environmentPort))
{
}

SerialReaderLink::~SerialReaderLink() = default;

QList<ReaderPortInfo> SerialReaderLink::ports() const
{
    QList<ReaderPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName(), info.systemLocation(), info.description(), info.manufacturer(),
                         info.serialNumber()});
    return ports;
}

QStringList SerialReaderLink::portNames() const
{
    QStringList names;
    for (const ReaderPortInfo& port : ports())
        names.push_back(port.name);
    const QString chosen = portName();
    if (!chosen.isEmpty() && !names.contains(chosen))
        names.push_back(chosen);
    return names;
}

QString SerialReaderLink::portName() const
{
    // A port configured by its device path is the same port the list names.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.systemLocation() == settings_.portName)
            return info.portName();
    return settings_.portName;
}

void SerialReaderLink::choosePort(const QString& name)
{
    port_.reset();
    settings_.portName = name;
    StoreReaderPort(settingsFile_, name);
}

QString SerialReaderLink::storeSettings(const ReaderPortSettings& settings)
{
    if (QString problem = StoreReaderPortSettings(settingsFile_, settings); !problem.isEmpty())
        return problem;
    port_.reset();
    settings_ = settings;
    return {};
}

ReaderAnswer SerialReaderLink::probe(const ReaderPortSettings& settings, const std::string& command, QWidget* owner)
{
    // The port in use may be the one tried: it is closed for the probe, and
    // the next command opens it again with the settings in use.
    port_.reset();
    const ReaderPortSettings inUse = settings_;
    settings_ = settings;
    ReaderAnswer answer = Exchange(command, owner, true);
    port_.reset();
    closing_ = false;
    settings_ = inUse;
    return answer;
}

bool SerialReaderLink::portOpen() const { return port_ && port_->isOpen(); }

QString SerialReaderLink::OpenPort()
{
    if (portOpen())
        return {};
    port_ = std::make_unique<QSerialPort>();
    closing_ = false;
    port_->setPortName(settings_.portName);
    const QString device = PortDevice(settings_.portName);
    if (!port_->open(QIODevice::ReadWrite)) {
        const QString reason = SerialPortReason(port_->error(), port_->errorString(), device);
        port_.reset();
        return QStringLiteral("Nie można otworzyć portu czytnika „%1”.\n%2").arg(settings_.portName, reason);
    }
    if (!port_->setBaudRate(settings_.baudRate) || !port_->setDataBits(QSerialPort::Data8)
        || !port_->setParity(QSerialPort::NoParity) || !port_->setStopBits(QSerialPort::OneStop)
        || !port_->setFlowControl(QSerialPort::NoFlowControl)) {
        const QString reason = SerialPortReason(port_->error(), port_->errorString(), device);
        port_.reset();
        return QStringLiteral("Nie można ustawić portu czytnika „%1” (%2 bodów, 8N1).\n%3")
            .arg(settings_.portName)
            .arg(settings_.baudRate)
            .arg(reason);
    }
    // Between commands whatever arrives is dropped; during one it is the
    // answer (or, before the command goes out, the rest of an earlier one).
    QSerialPort* port = port_.get();
    QObject::connect(port, &QSerialPort::readyRead, port, [this, port] {
        const QByteArray chunk = port->readAll();
        if (receive_)
            receive_(chunk);
    });
    QObject::connect(port, &QSerialPort::errorOccurred, port,
                     [this](QSerialPort::SerialPortError error) { PortFailed(error); });
    return {};
}

void SerialReaderLink::PortFailed(int code)
{
    const auto error = static_cast<QSerialPort::SerialPortError>(code);
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || closing_ || !portOpen())
        return;
    // A line that hung up or a device that vanished stays readable for ever:
    // left open, it would wake the program thousands of times a second.
    const QString reason = LostPortReason(error, port_->errorString(), PortDevice(settings_.portName));
    closing_ = true;
    // Closed from the event loop rather than inside the port's own signal,
    // whose notifier is still on the stack.
    QSerialPort* port = port_.get();
    QMetaObject::invokeMethod(
        port,
        [this, port] {
            port->close();
            closing_ = false;
        },
        Qt::QueuedConnection);
    if (lost_)
        lost_(reason);
}

ReaderAnswer SerialReaderLink::exchange(const std::string& command, QWidget* owner)
{
    return Exchange(command, owner, false);
}

ReaderAnswer SerialReaderLink::Exchange(const std::string& command, QWidget* owner, bool firstBytesEnd)
{
    ReaderAnswer answer;
    if (!configured())
        return answer; // no reader: silence

    if (const QString problem = OpenPort(); !problem.isEmpty()) {
        answer.outcome = ReaderAnswer::Outcome::Failed;
        answer.problem = problem;
        return answer;
    }
    const int silenceMs = settings_.timeoutMs;
    const int limitMs = AnswerLimitMs(settings_);

    // The bar fills as the silence grows; the label says what has arrived
    // and how long the wait may still last.
    QProgressDialog progress(owner);
    auto* bar = new QProgressBar(&progress);
    bar->setTextVisible(false);
    progress.setBar(bar);
    progress.setWindowTitle(QStringLiteral("Czytnik"));
    progress.setCancelButtonText(QStringLiteral("Anuluj"));
    progress.setRange(0, silenceMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::ApplicationModal);

    QEventLoop loop;
    std::string& received = answer.bytes;
    bool sent = false;
    qint64 dropped = 0;
    QString lostReason;
    QElapsedTimer sinceSent;
    QElapsedTimer sinceByte;
    QTimer quiet;   // the line has been quiet long enough to send
    QTimer silence; // the reader has stopped (or, before sending, never stops)
    QTimer limit;   // the answer has gone on too long
    for (QTimer* timer : {&quiet, &silence, &limit})
        timer->setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, &loop, [&] { loop.exit(Quiet); });
    QObject::connect(&silence, &QTimer::timeout, &loop, [&] { loop.exit(sent ? Silence : StillSending); });
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] { loop.exit(OverLimit); });

    const QString portName = settings_.portName;
    const auto describe = [&] {
        QString text;
        if (!sent) {
            text = dropped == 0 ? QStringLiteral("Przygotowanie portu %1.").arg(portName)
                                : QStringLiteral("Czytnik kończy nadawanie poprzedniej odpowiedzi (port %1).\n"
                                                 "Odrzucono %2 B.")
                                      .arg(portName)
                                      .arg(dropped);
        } else {
            const qint64 left = std::max<qint64>(
                0, std::min<qint64>(silenceMs - sinceByte.elapsed(), limitMs - sinceSent.elapsed()));
            text = received.empty()
                ? QStringLiteral("Oczekiwanie na odpowiedź czytnika (port %1).").arg(portName)
                : QStringLiteral("Odbieranie danych z czytnika (port %1): %2 B.").arg(portName).arg(received.size());
            text += QStringLiteral("\nPozostało %1 s.").arg((left + 999) / 1000);
        }
        progress.setLabelText(text);
    };
    receive_ = [&](const QByteArray& chunk) {
        if (!sent) {
            // The rest of an earlier answer: it is not this one.
            dropped += chunk.size();
            quiet.start();
            return;
        }
        received.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
        sinceByte.restart();
        silence.start();
        describe();
        if (firstBytesEnd || welkor::EndsWithEndSequence(received))
            loop.exit(Complete);
        else if (received.size() > welkor::kMaxTransmissionBytes)
            loop.exit(TooLong);
    };
    lost_ = [&](const QString& reason) {
        lostReason = reason;
        loop.exit(PortLost);
    };
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { loop.exit(Cancelled); });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        describe();
        progress.setValue(sent ? static_cast<int>(std::min<qint64>(sinceByte.elapsed(), silenceMs)) : 0);
    });

    // Settle: what waits is dropped, and so is whatever follows until the
    // line has been quiet for a moment (at most the silence limit).
    port_->clear(QSerialPort::Input);
    dropped += port_->readAll().size();
    quiet.start(kQuietMs);
    silence.start(silenceMs);
    describe();
    progress.show();
    tick.start(100);
    int end = loop.exec();

    if (end == Quiet) {
        quiet.stop();
        sent = true;
        if (port_->write(command.data(), static_cast<qint64>(command.size())) != static_cast<qint64>(command.size())) {
            end = PortLost;
            lostReason = SerialPortReason(port_->error(), port_->errorString(), PortDevice(portName));
        } else {
            port_->flush();
            sinceSent.start();
            sinceByte.start();
            silence.start(silenceMs);
            limit.start(limitMs);
            describe();
            end = loop.exec();
        }
    }
    receive_ = nullptr;
    lost_ = nullptr;
    tick.stop();
    progress.hide();

    switch (end) {
    case Cancelled:
        // The port stays open: the rest of the answer is dropped as it comes.
        answer.outcome = ReaderAnswer::Outcome::Cancelled;
        break;
    case StillSending:
        answer.outcome = ReaderAnswer::Outcome::Failed;
        answer.problem = QStringLiteral("Rozkaz nie został wysłany: czytnik wciąż nadaje (port „%1”, %2 B w ciągu %3 s).\n"
                                        "Poczekaj, aż skończy, i spróbuj ponownie.")
                             .arg(portName)
                             .arg(dropped)
                             .arg(SecondsText(silenceMs));
        break;
    case PortLost:
        answer.outcome = ReaderAnswer::Outcome::Failed;
        answer.problem = QStringLiteral("Połączenie z czytnikiem zostało przerwane (port „%1”).\n%2").arg(portName, lostReason);
        received.clear();
        port_.reset();
        closing_ = false;
        break;
    case Silence:
        answer.ending = received.empty()
            ? QStringLiteral("Czytnik nie odpowiedział w ciągu %1 s (port %2).").arg(SecondsText(silenceMs), portName)
            : QStringLiteral("Czytnik przestał nadawać: przez %1 s nie nadszedł żaden bajt.").arg(SecondsText(silenceMs));
        break;
    case OverLimit:
        answer.ending = QStringLiteral("Odbiór przerwano po %1 s, choć czytnik wciąż nadawał.").arg(SecondsText(limitMs));
        break;
    case TooLong:
        answer.ending = QStringLiteral("Odbiór przerwano po %1 B: odpowiedź czytnika nie bywa tak długa.").arg(received.size());
        break;
    default:
        break; // a whole frame: the window judges it
    }
    return answer;
}

} // namespace welkor::gui
