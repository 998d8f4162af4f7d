// Reading and writing real files: only a regular file is read, never blocking on a FIFO, and a
// failed write never costs the user the old file.
#include "qtfiledialog.h"
#include "qtfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace horaloom {
namespace {

std::string contentOf(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

class QtFilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtFiles files;
    std::string path(const char* name) { return files.pathIn(dir.path().toStdString(), name); }
    int entries() const
    {
        return static_cast<int>(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                .size());
    }
};

TEST_F(QtFilesTest, ReadsARegularFileAndRefusesAnythingElseAtOnce)
{
    ASSERT_TRUE(dir.isValid());
    const std::string settings = path("Horaloom.ini");
    ASSERT_EQ(files.replaceFile(settings, "caf\xe9\r\n"), "");
    EXPECT_EQ(files.readSmallFile(settings, 100).bytes, "caf\xe9\r\n");
    EXPECT_TRUE(files.canRead(settings));

    // A FIFO with no writer would block an ordinary open for good; a socket cannot be opened.
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = path("socket");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));

    const std::pair<std::string, const char*> refused[] = {
        {path("missing"), "No such file"},    {path("sub"), "directory"},
        {path("fifo"), "not a regular file"}, {socketPath, ""},
        {"/dev/zero", "not a regular file"},  {settings, "too large"}, // with a limit of 3 bytes
    };
    for (const auto& [name, reason] : refused) {
        SCOPED_TRACE(name);
        const FileContents read = files.readSmallFile(name, name == settings ? 3 : 100);
        EXPECT_FALSE(read.bytes);
        EXPECT_NE(read.error.find(reason), std::string::npos) << read.error;
    }
    EXPECT_FALSE(files.canRead(path("sub")));
    EXPECT_FALSE(files.canRead(path("missing")));
    ::close(sock);
}

TEST_F(QtFilesTest, FailedWriteReportsWhyAndLeavesTheOldFileAlone)
{
    ASSERT_TRUE(dir.isValid());
    const std::string existing = path("Horaloom.ini");
    ASSERT_EQ(files.replaceFile(existing, "old"), "");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    for (const std::string& target : {path("gone/Horaloom.ini"), path("sub")}) {
        SCOPED_TRACE(target);
        EXPECT_NE(files.replaceFile(target, "new"), "");
    }
    EXPECT_EQ(contentOf(existing), "old");
    EXPECT_EQ(entries(), 2); // no temporary file left behind
}

TEST_F(QtFilesTest, ReadOnlyDirectoryKeepsTheOldFile)
{
    ASSERT_TRUE(dir.isValid());
    const std::string existing = path("Horaloom.ini");
    ASSERT_EQ(files.replaceFile(existing, "old"), "");
    // Root ignores the permission; the fault test covers this case with an immutable directory.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (::access(dir.path().toLocal8Bit().constData(), W_OK) == 0) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore a read-only directory (root?)";
    }
    EXPECT_NE(files.replaceFile(existing, "new"), "");
    EXPECT_EQ(contentOf(existing), "old");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(QtFilesTest, BrowseStartsBesideTheWaveFileElseInMusicElseHome)
{
    ASSERT_TRUE(dir.isValid());
    const QByteArray home = qgetenv("HOME");
    const QByteArray music = qgetenv("XDG_MUSIC_DIR");
    qputenv("HOME", dir.path().toLocal8Bit());
    qunsetenv("XDG_MUSIC_DIR");
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sounds")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Music")));

    EXPECT_EQ(QtFileDialog::startFolder(path("sounds") + "/gone.wav"), dir.filePath("sounds"));
    EXPECT_EQ(QtFileDialog::startFolder(path("gone") + "/bell.wav"), dir.filePath("Music"));
    EXPECT_EQ(QtFileDialog::startFolder(""), dir.filePath("Music"));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("Music")));
    EXPECT_EQ(QtFileDialog::startFolder(""), dir.path());

    qputenv("HOME", home);
    if (!music.isNull()) {
        qputenv("XDG_MUSIC_DIR", music);
    }
}

} // namespace
} // namespace horaloom
