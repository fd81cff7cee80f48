#include "WindowFixture.h"

#include "gui/shell/TypPliku.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

using namespace welkor::gui;

namespace {

class RecordingRegistry : public RegistryWriter {
public:
    QList<QPair<QString, QString>> writes;
    int refuseAt = -1; // index of the write the registry refuses
    int notifications = 0;

    bool setDefaultValue(const QString& key, const QString& value) override
    {
        if (writes.size() == refuseAt)
            return false;
        writes.push_back({key, value});
        return true;
    }
    void notifyAssociationsChanged() override { ++notifications; }
};

// Temporary XDG folders and a clean environment for the desktop tools.
struct XdgHome {
    QTemporaryDir root;
    FreedesktopPlaces places{root.filePath(QStringLiteral("data")), root.filePath(QStringLiteral("config"))};

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), root.path());
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8")); // as on a desktop: paths are UTF-8
        env.insert(QStringLiteral("XDG_DATA_HOME"), places.dataHome);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), places.configHome);
        env.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/share"));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), root.filePath(QStringLiteral("etc-xdg")));
        env.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
        return env;
    }

    // Runs a desktop tool; its standard output, trimmed.
    QString run(const QString& tool, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(tool, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << tool.toStdString();
        EXPECT_EQ(process.exitCode(), 0) << tool.toStdString() << ": " << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    // Every file under the folders, by relative path.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all;
        QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            all.insert(QDir(root.path()).relativeFilePath(path), file.readAll());
        }
        return all;
    }
};

void WriteBytes(const QString& path, const QByteArray& bytes, bool executable = false)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

} // namespace

TEST(FileTypeRegistration, WindowsKeysGoToTheRegistryInOrderThenTheShellIsTold)
{
    const QString program = QStringLiteral("C:\\Program Files\\Welkor Łódź\\welkor-lumo.exe");
    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral(".rap"), QStringLiteral("Plik raportu Welkor")},
        {QStringLiteral("Plik raportu Welkor"), QStringLiteral("Plik raportu Welkor")},
        {QStringLiteral("Plik raportu Welkor\\DefaultIcon"), program + QStringLiteral(",0")},
        {QStringLiteral("Plik raportu Welkor\\Shell\\Open"), QStringLiteral("&Open")},
        {QStringLiteral("Plik raportu Welkor\\Shell\\Open\\Command"),
         QLatin1Char('"') + program + QStringLiteral("\" \"%1\"")},
    };
    RecordingRegistry registry;
    const QString type = QStringLiteral("Plik raportu Welkor");
    RegisterWindowsFileType(registry, QStringLiteral(".rap"), type, type, program);
    EXPECT_EQ(registry.writes, expected);
    EXPECT_EQ(registry.notifications, 1);

    // A refused write stops there: earlier keys stay, the shell hears nothing.
    RecordingRegistry refusing;
    refusing.refuseAt = 2;
    try {
        RegisterWindowsFileType(refusing, QStringLiteral(".rap"), type, type, program);
        ADD_FAILURE() << "a refused key must be reported";
    } catch (const UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Nie udało się zapisać w rejestrze klucza "
                                              "HKEY_CURRENT_USER\\Software\\Classes\\Plik raportu Welkor\\DefaultIcon."));
    }
    EXPECT_EQ(refusing.writes, expected.mid(0, 2));
    EXPECT_EQ(refusing.notifications, 0);
}

TEST(FileTypeRegistration, FreedesktopRegistrationOpensReportsInTheProgramAndIsStable)
{
    for (const char* tool : {"xdg-mime", "gio", "desktop-file-validate", "update-mime-database"})
        ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            << tool << " is missing: run scripts/install-deps.sh";
    XdgHome home;
    ASSERT_TRUE(home.root.isValid());
    // Another program's association, which must survive.
    const QByteArray theirs = "[Default Applications]\ntext/plain=pluma.desktop;\n";
    WriteBytes(home.places.configHome + QStringLiteral("/mimeapps.list"), theirs);

    // The "program" writes the arguments it was started with.
    const QString program = home.root.filePath(QStringLiteral("Program Łódź $x (2)/welkor lumo"));
    WriteBytes(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\" && mv \"$0.args.tmp\" \"$0.args\"\n", true);
    const QString report = home.root.filePath(QStringLiteral("moje raporty/pomiar źdźbła 1.rap"));
    WriteBytes(report, SampleReport());

    RegisterFreedesktopFileType(home.places, QStringLiteral(".rap"), QStringLiteral("Plik raportu Welkor"), program);

    const QString desktopFile = home.places.dataHome + QStringLiteral("/applications/welkor-lumo.desktop");
    EXPECT_EQ(home.run(QStringLiteral("desktop-file-validate"), {desktopFile}), QString());
    EXPECT_EQ(home.run(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), report}),
              QStringLiteral("application/x-welkor-rap"));
    EXPECT_EQ(home.run(QStringLiteral("xdg-mime"),
                       {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/x-welkor-rap")}),
              QStringLiteral("welkor-lumo.desktop"));
    const QByteArray list = home.files().value(QStringLiteral("config/mimeapps.list"));
    EXPECT_TRUE(list.startsWith(theirs)) << list.toStdString();
    EXPECT_TRUE(list.contains("application/x-welkor-rap=welkor-lumo.desktop;\n")) << list.toStdString();

    // Registering again changes no byte anywhere.
    const QMap<QString, QByteArray> first = home.files();
    RegisterFreedesktopFileType(home.places, QStringLiteral(".rap"), QStringLiteral("Plik raportu Welkor"), program);
    EXPECT_EQ(home.files(), first);

    // The desktop opens the report with the program, the path in one piece.
    home.run(QStringLiteral("gio"), {QStringLiteral("open"), report});
    const QString argsFile = program + QStringLiteral(".args");
    const QDeadlineTimer deadline(20000);
    while (!QFileInfo::exists(argsFile) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile args(argsFile);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly)) << "the program was not started";
    EXPECT_EQ(QString::fromUtf8(args.readAll()), report + QLatin1Char('\n'));
}

TEST_F(WindowTest, RegisteringTheFileTypeNamesTheReportTypeAndTheProgram)
{
    TWel_Kor& w = Start();
    w.commands->Rejestracjatypupliku1->trigger();
    ASSERT_EQ(shell.registrations.size(), 1);
    const QString type = QStringLiteral("Plik raportu Welkor");
    EXPECT_EQ(shell.registrations[0],
              QStringList({QStringLiteral(".rap"), type, type, Path(QStringLiteral("welkor-lumo"))}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_TRUE(dialogs.informations.isEmpty()); // nothing is said on success

    shell.registrationError = QStringLiteral("Nie udało się zapisać w rejestrze klucza X.");
    w.commands->Rejestracjatypupliku1->trigger();
    EXPECT_EQ(dialogs.errors, QStringList({shell.registrationError}));
}

TEST_F(WindowTest, MakersPageGoesToTheBrowserOrItsAddressIsShown)
{
    TWel_Kor& w = Start();
    w.commands->Stronafirmowa1->trigger();
    ASSERT_EQ(shell.openedUrls.size(), 1);
    EXPECT_EQ(shell.openedUrls[0], QUrl(MakerWebAddress()));
    EXPECT_TRUE(shell.openedUrls[0].scheme().startsWith(QStringLiteral("http")));
    EXPECT_TRUE(dialogs.informations.isEmpty());

    shell.browserAvailable = false;
    w.commands->Stronafirmowa1->trigger();
    ASSERT_EQ(dialogs.informations.size(), 1);
    EXPECT_TRUE(dialogs.informations[0].endsWith(MakerWebAddress())) << dialogs.informations[0].toStdString();
}
