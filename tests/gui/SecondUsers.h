#pragma once

// Other users of a shared machine, for tests that need one: created when
// missing (as root, with groupadd and useradd; no home, no login) and acted
// as with setpriv. Where that is impossible (not root, tools missing) the
// test is skipped with the reason.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

struct TestUser {
    QString name;
    uid_t uid = 0;
    gid_t gid = 0; // primary group
};

struct SecondUsers {
    TestUser a, b; // both members of the group `lab`
    TestUser c;    // not a member
    QString labName;
    gid_t lab = 0;
};

namespace second_users {

inline bool Run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

inline bool Lookup(const char* name, TestUser& user)
{
    const passwd* entry = ::getpwnam(name);
    if (entry == nullptr)
        return false;
    user = {QString::fromLatin1(name), entry->pw_uid, entry->pw_gid};
    return true;
}

// The users, or nothing with `why` set.
inline const SecondUsers* Get(QString& why)
{
    static SecondUsers users;
    static QString reason;
    static const bool ready = [] {
        if (::geteuid() != 0) {
            reason = QStringLiteral("second users need root (useradd, setpriv)");
            return false;
        }
        const char* kLab = "welkor-test-lab";
        if (::getgrnam(kLab) == nullptr)
            Run(QStringLiteral("groupadd"), {QStringLiteral("--system"), QString::fromLatin1(kLab)});
        const group* lab = ::getgrnam(kLab);
        if (lab == nullptr) {
            reason = QStringLiteral("groupadd could not create the group %1").arg(QString::fromLatin1(kLab));
            return false;
        }
        users.lab = lab->gr_gid;
        users.labName = QString::fromLatin1(kLab);
        const struct {
            const char* name;
            bool inLab;
            TestUser* user;
        } wanted[] = {{"welkor-test-a", true, &users.a}, {"welkor-test-b", true, &users.b},
                      {"welkor-test-c", false, &users.c}};
        for (const auto& w : wanted) {
            if (!Lookup(w.name, *w.user)) {
                QStringList args{QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                                 QStringLiteral("--shell"), QStringLiteral("/usr/sbin/nologin")};
                if (w.inLab)
                    args << QStringLiteral("--groups") << QString::fromLatin1(kLab);
                Run(QStringLiteral("useradd"), args << QString::fromLatin1(w.name));
            }
            if (!Lookup(w.name, *w.user)) {
                reason = QStringLiteral("useradd could not create the user %1").arg(QString::fromLatin1(w.name));
                return false;
            }
        }
        if (!Run(QStringLiteral("setpriv"), {QStringLiteral("--version")})) {
            reason = QStringLiteral("setpriv is missing");
            return false;
        }
        return true;
    }();
    why = reason;
    return ready ? &users : nullptr;
}

} // namespace second_users

// In a test body: the users, or the test is skipped with the reason.
#define WELKOR_SECOND_USERS(users)                                                                                    \
    QString whyNoUsers_;                                                                                               \
    const SecondUsers* users##Found_ = second_users::Get(whyNoUsers_);                                                 \
    if (users##Found_ == nullptr)                                                                                      \
        GTEST_SKIP() << whyNoUsers_.toStdString();                                                                     \
    const SecondUsers& users = *users##Found_

// What a program run as someone gave.
struct RunResult {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs `program` (as `user` when given, with their groups) and waits for it.
// A run that does not finish within `seconds` is killed and fails the test.
inline RunResult RunAs(const TestUser* user, const QString& program, const QStringList& args,
                       const QByteArray& input = {}, int seconds = 60)
{
    QProcess process;
    if (user == nullptr) {
        process.start(program, args);
    } else {
        process.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=%1").arg(user->uid),
                                                             QStringLiteral("--regid=%1").arg(user->gid),
                                                             QStringLiteral("--init-groups"), QStringLiteral("--"),
                                                             program}
                                                     + args);
    }
    process.write(input);
    process.closeWriteChannel();
    RunResult run;
    if (!process.waitForFinished(seconds * 1000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << " did not finish within "
                      << seconds << " s";
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
