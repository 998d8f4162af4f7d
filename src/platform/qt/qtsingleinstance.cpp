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
    return m_lock->error() == QLockFile::LockFailedError;
}

} // namespace horaloom
