#include "qtsingleinstance.h"

#include <QDir>
#include <QStandardPaths>

namespace horaloom {

bool QtSingleInstance::anotherIsRunning()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(QStringLiteral("horaloom.lock")));
    // A lock left by a killed copy is stale (its process is gone) and is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        return false;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        return false;
    }
    // QLockFile takes over a lock whose process has gone or runs another program, but it keeps
    // one it cannot read (empty, garbled) for ever. A running copy holds its lock file open and
    // locked, and removeStaleLockFile() gives way to that lock: so whatever the file says, it
    // goes exactly when no running copy holds it.
    if (m_lock->removeStaleLockFile() && m_lock->tryLock(0)) {
        return false;
    }
    return m_lock->error() == QLockFile::LockFailedError;
}

} // namespace horaloom
