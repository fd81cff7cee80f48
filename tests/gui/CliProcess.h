#pragma once

// welkor-lumo-cli run as a process: its exit status, standard output and
// standard error.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

inline CliRun Cli(const QStringList& arguments, const QByteArray& input = {},
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(WELKOR_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "welkor-lumo-cli did not finish: " << arguments.join(' ').toStdString();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
