// Saves that survive a kill, a power cut and a full disk.
#include "../helpers/SaveVersions.h"
#include "WindowFixture.h"
#include "gui/analysis/EditGrid.h"
#include "gui/app/FileIO.h"

#include <QProcess>

#include <cerrno>
#include <chrono>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QStringList Entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                      QDir::Name);
}

std::string ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Puts the real system calls back whatever a test did to them.
struct RealCallsAfterwards {
    FileWriteCalls saved = FileWriteCallsInUse();
    ~RealCallsAfterwards() { FileWriteCallsInUse() = saved; }
};

// The save path in a child process, killed at a random moment 200 times:
// every time the file is one whole version, and the next save leaves no
// temporary beside it.
TEST(DurableSave, KilledAtAnyMomentLeavesAWholeFileAndTheNextSaveNoStray)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("raport.rap"));
    WriteFileAtomically(path, SaveVersion(0));

    std::mt19937 random(15);
    int killedWithStray = 0;
    int killedAfterNewVersion = 0;
    unsigned next = 1;
    for (int round = 0; round < 200; ++round) {
        QProcess child;
        child.start(QStringLiteral(WELKOR_SAVE_CHILD), {path, QString::number(next)});
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
        ASSERT_TRUE(child.waitForReadyRead(30000)) << "the child did not start saving";
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 15000));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(30000));

        const std::optional<unsigned> version = WholeSaveVersion(ReadAll(path));
        ASSERT_TRUE(version.has_value()) << "round " << round << ": the file is no whole version";
        ASSERT_TRUE(*version == 0 || *version >= next - 1) << "round " << round << ": an older version came back";
        if (*version >= next)
            ++killedAfterNewVersion;
        if (Entries(dir).size() > 1)
            ++killedWithStray;

        next = std::max(next, *version + 1) + 100000;
        WriteFileAtomically(path, SaveVersion(next - 1));
        ASSERT_EQ(Entries(dir), QStringList{QStringLiteral("raport.rap")}) << "round " << round;
        ASSERT_EQ(WholeSaveVersion(ReadAll(path)), next - 1);
    }
    // Both windows were hit: kills in the middle of a save, and after one.
    EXPECT_GT(killedWithStray, 0);
    EXPECT_GT(killedAfterNewVersion, 0);
}

// The content is synced before the rename, the folder after it.
TEST(DurableSave, SyncsTheFileThenRenamesThenSyncsTheFolder)
{
    static std::vector<std::string> steps;
    steps.clear();
    RealCallsAfterwards restore;
    FileWriteCallsInUse().fsync = [](int fd) {
        struct stat st{};
        ::fstat(fd, &st);
        steps.push_back(S_ISDIR(st.st_mode) ? "sync folder" : "sync file");
        return ::fsync(fd);
    };
    FileWriteCallsInUse().renameat = [](int fromFolder, const char* from, int toFolder, const char* to) {
        steps.push_back("rename");
        return ::renameat(fromFolder, from, toFolder, to);
    };
    QTemporaryDir dir;
    WriteFileAtomically(dir.filePath(QStringLiteral("a.rap")), "abc");
    EXPECT_EQ(steps, (std::vector<std::string>{"sync file", "rename", "sync folder"}));
}

// Only temporaries of this file whose writer is gone are removed.
TEST(DurableSave, RemovesOnlyThisFilesTemporariesOfDeadWriters)
{
    QTemporaryDir dir;
    // The writer of a temporary that was left: a process id no process has.
    qint64 freePid = 4194000;
    while (::kill(static_cast<pid_t>(freePid), 0) == 0)
        --freePid;
    const QString dead = QStringLiteral(".raport.rap.welkor-zapis-%1-AbC123").arg(freePid);
    const QString alive = QStringLiteral(".raport.rap.welkor-zapis-1-XyZ789"); // pid 1 always runs
    const QString otherReport = QStringLiteral(".inny.rap.welkor-zapis-%1-AbC123").arg(freePid);
    const QString notOurs = QStringLiteral(".raport.rap.welkor-zapis-notatki");
    for (const QString& name : {dead, alive, otherReport, notOurs}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    WriteFileAtomically(dir.filePath(QStringLiteral("raport.rap")), "nowy");
    EXPECT_EQ(Entries(dir), (QStringList{otherReport, alive, notOurs, QStringLiteral("raport.rap")}));
}

// Permissions stay; a link stays a link and its target gets the content.
TEST(DurableSave, KeepsPermissionsAndLinks)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.rap"));
    const QString link = dir.filePath(QStringLiteral("link.rap"));
    WriteFileAtomically(real, "stary");
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(real, link));
    WriteFileAtomically(link, "nowy");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadAll(real), "nowy");
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

class DiskFullTest : public WindowTest {};

// "Zapisz" over an existing report on a full disk, whether the disk fills
// while writing or when the content is synced: the message names the file
// and the cause, the old report stays whole, no temporary is left, and the
// report still counts as unsaved.
TEST_F(DiskFullTest, SaveNamesTheFileAndTheCauseAndKeepsTheOldFile)
{
    const QString name = QStringLiteral("pomiar.rap");
    WriteFile(name, SampleReport());
    TWel_Kor& w = Start();
    dialogs.fileAnswers.push_back(Path(name));
    w.Otwrz1->trigger();
    w.sgEdycja->setCell(1, 1, QStringLiteral("neg"));
    ASSERT_TRUE(dialogs.errors.isEmpty());
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    using Fail = void (*)(FileWriteCalls&);
    const Fail faults[] = {
        [](FileWriteCalls& calls) {
            calls.write = [](int fd, const void* data, size_t size) -> ssize_t {
                if (size > 100) // part of the report gets on the disk, then no more
                    return ::write(fd, data, 100);
                errno = ENOSPC;
                return -1;
            };
        },
        [](FileWriteCalls& calls) {
            calls.fsync = [](int) {
                errno = ENOSPC;
                return -1;
            };
        },
    };
    for (const Fail& fault : faults) {
        RealCallsAfterwards restore;
        fault(FileWriteCallsInUse());
        dialogs.errors.clear();
        dialogs.fileAnswers.push_back(Path(name));
        dialogs.yesNoAnswers.push_back(true); // overwrite
        w.Zapisz1->trigger();
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_EQ(dialogs.errors[0], QStringLiteral("Cannot create file \"%1\". Brak miejsca na dysku. "
                                                    "Plik pozostał bez zmian.")
                                         .arg(Path(name)));
        EXPECT_EQ(ReadFile(name), SampleReport());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        EXPECT_TRUE(w.ReportHasUnsavedChanges());
    }
}

} // namespace
