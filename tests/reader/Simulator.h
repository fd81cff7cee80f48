#pragma once

// The reader simulator on a pseudo-terminal, answering with the frame of a
// report; it ends with the test.
#include <QProcess>
#include <QString>

class Simulator {
public:
    Simulator(const QString& report, const QString& answers, int paceMs = 20)
    {
        process_.setProgram(QStringLiteral(WELKOR_READER_SIM));
        process_.setArguments({QStringLiteral("--answers"), answers, QStringLiteral("--pace"), QString::number(paceMs), report});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~Simulator()
    {
        process_.kill();
        process_.waitForFinished();
    }
    const QString& device() const { return device_; }
    // The reader unplugged: its end of the line is gone at once.
    void kill()
    {
        process_.kill();
        process_.waitForFinished();
    }

private:
    QProcess process_;
    QString device_;
};
