// Real files: only a regular file is read, never blocking on a FIFO; the single-instance lock;
// where the wave-file dialog opens. The write under faults is tested by fault_write.sh.
#include "qtfiledialog.h"
#include "qtfiles.h"
#include "qtsingleinstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace horaloom {
namespace {

class QtFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtFiles files;
    std::string path(const char* name) { return files.pathIn(dir.path().toStdString(), name); }
};

TEST_F(QtFilesTest, ReadsARegularFileAndRefusesAnythingElseAtOnce)
{
    const std::string settings = path("Horaloom.ini");
    ASSERT_EQ(files.replaceFile(settings, "caf\xe9\r\n"), "");
    EXPECT_EQ(files.readSmallFile(settings, 100).bytes, "caf\xe9\r\n");
    // A FIFO with no writer would block an ordinary open for good.
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const std::pair<std::string, const char*> refused[] = {
        {path("missing"), "No such file"},
        {path("sub"), "directory"},
        {path("fifo"), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {settings, "too large"}, // with a limit of 3 bytes
    };
    for (const auto& [name, reason] : refused) {
        const FileContents read = files.readSmallFile(name, name == settings ? 3 : 100);
        EXPECT_FALSE(read.bytes) << name;
        EXPECT_NE(read.error.find(reason), std::string::npos) << read.error;
    }
    EXPECT_TRUE(files.canRead(settings));
    EXPECT_FALSE(files.canRead(path("sub")) || files.canRead(path("missing")));
}

TEST_F(QtFilesTest, BrowseStartsBesideTheWaveFileElseInMusicElseHome)
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir.path().toLocal8Bit());
    qunsetenv("XDG_MUSIC_DIR");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sounds")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Music")));
    EXPECT_EQ(QtFileDialog::startFolder(path("sounds") + "/gone.wav"), dir.filePath("sounds"));
    EXPECT_EQ(QtFileDialog::startFolder(path("gone") + "/bell.wav"), dir.filePath("Music"));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("Music")));
    EXPECT_EQ(QtFileDialog::startFolder(""), dir.path());
    qputenv("HOME", home);
}

// A running copy holds the lock; a lock file nobody holds never stops a start.
TEST_F(QtFilesTest, LockFileNoRunningCopyHoldsNeverStopsAStart)
{
    setenv("XDG_RUNTIME_DIR", qPrintable(dir.path()), 1);
    // A live process under the name it runs as: QLockFile alone takes that for the holder.
    const QByteArray parent = QByteArray::number(getppid()) + "\n" +
                              QFileInfo(QStringLiteral("/proc/%1/exe").arg(getppid()))
                                  .symLinkTarget()
                                  .section('/', -1)
                                  .toUtf8() +
                              "\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    for (const QByteArray& left : {QByteArray(), QByteArray("\xff\xfe not a lock\n\n"), parent}) {
        QFile file(dir.filePath(QStringLiteral("horaloom.lock")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(left);
        file.close();
        QtSingleInstance first;
        EXPECT_FALSE(first.anotherIsRunning()) << left.constData();
        QtSingleInstance second;
        EXPECT_TRUE(second.anotherIsRunning()) << left.constData();
    }
}

} // namespace
} // namespace horaloom
