#include "common/filelock.h"

namespace keruna {

FileLock::FileLock(const QString& path, int waitMs)
    : m_lock(path + QStringLiteral(".lock"))
{
    m_held = m_lock.tryLock(waitMs);
}

} // namespace keruna
