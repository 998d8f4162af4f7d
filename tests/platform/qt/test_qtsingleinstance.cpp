// The per-user lock: a running copy holds it; a lock file nobody holds never stops a start.
#include "qtsingleinstance.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <unistd.h>

namespace horaloom {
namespace {

class QtSingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir runtimeDir; // made user-only, as the runtime directory must be
    QString lockPath = runtimeDir.filePath(QStringLiteral("horaloom.lock"));

    void SetUp() override { setenv("XDG_RUNTIME_DIR", qPrintable(runtimeDir.path()), 1); }

    void leaveLockFile(const QByteArray& bytes)
    {
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

TEST_F(QtSingleInstanceTest, LockFileNoRunningCopyHoldsNeverStopsAStart)
{
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    // A live process under the name it runs as: QLockFile alone takes that for the holder.
    const QByteArray parent = QByteArray::number(getppid()) + "\n" +
                              QFileInfo(QStringLiteral("/proc/%1/exe").arg(getppid()))
                                  .symLinkTarget()
                                  .section(QLatin1Char('/'), -1)
                                  .toUtf8() +
                              "\n" + host + "\n";
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", ""},
        {"garbled", "\xff\xfe not a lock\n\n"},
        {"a live process of another program", parent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        leaveLockFile(c.bytes);
        QtSingleInstance first;
        EXPECT_FALSE(first.anotherIsRunning());
        // ... and the copy that started now holds the lock against the next one.
        QtSingleInstance second;
        EXPECT_TRUE(second.anotherIsRunning());
    }
}

} // namespace
} // namespace horaloom
