// Saves that survive a kill, a power cut and a full disk.
#include "../helpers/SaveVersions.h"
#include "WindowFixture.h"
#include "gui/analysis/EditGrid.h"
#include "qtbase/FileIO.h"

#include <QProcess>

#include <iostream>

#include <cerrno>
#include <chrono>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace welkor::gui;

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

// Only temporaries of this file whose writer is gone are removed, and only
// the saving user's own files: whatever else is planted under such a name
// stays, a process number too large for one included.
TEST(DurableSave, RemovesOnlyThisFilesTemporariesOfDeadWriters)
{
    QTemporaryDir dir;
    // The writer of a temporary that was left: a process id no process has.
    qint64 freePid = 4194000;
    while (::kill(static_cast<pid_t>(freePid), 0) == 0)
        --freePid;
    const QString prefix = QStringLiteral(".raport.rap.welkor-zapis-");
    const QString dead = prefix + QStringLiteral("%1-AbC123").arg(freePid);
    QStringList kept = {
        prefix + QStringLiteral("1-XyZ789"),              // pid 1 always runs
        QStringLiteral(".inny.rap.welkor-zapis-%1-AbC123").arg(freePid), // another file's
        prefix + QStringLiteral("notatki"),
        prefix + QStringLiteral("9999999999-AbC123"),     // no process number
        prefix + QStringLiteral("2147483648-AbC123"),
        prefix + QStringLiteral("%1-Obcy00").arg(freePid), // another user's
        prefix + QStringLiteral("%1-Link00").arg(freePid), // a link
        prefix + QStringLiteral("%1-Fifo00").arg(freePid), // a FIFO
    };
    for (const QString& name : QStringList{dead} + kept.mid(0, 6)) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(dir.filePath(kept[0]), dir.filePath(kept[6])));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(kept[7])).constData(), 0600), 0);
    if (::chown(QFile::encodeName(dir.filePath(kept[5])).constData(), 12345, 12345) != 0) {
        std::cout << "[   NOTE   ] a file of another user cannot be made without root; that case is left out\n";
        ASSERT_TRUE(QFile::remove(dir.filePath(kept[5])));
        kept.removeAt(5);
    }
    WriteFileAtomically(dir.filePath(QStringLiteral("raport.rap")), "nowy");
    QStringList expected = kept + QStringList{QStringLiteral("raport.rap")};
    expected.sort();
    EXPECT_EQ(Entries(dir), expected);
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
    w.commands->Otwrz1->trigger();
    w.tsTabela->sgEdycja->setCell(1, 1, QStringLiteral("neg"));
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
        w.commands->Zapisz1->trigger();
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_EQ(dialogs.errors[0], QStringLiteral("Cannot create file \"%1\". Brak miejsca na dysku. "
                                                    "Plik pozostał bez zmian.")
                                         .arg(Path(name)));
        EXPECT_EQ(ReadFile(name), SampleReport());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        EXPECT_TRUE(w.files->ReportHasUnsavedChanges());
    }
}

} // namespace
