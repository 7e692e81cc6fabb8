#pragma once

#include <QLockFile>
#include <QString>

namespace keruna {

// Holds "<path>.lock" while a file shared with other copies of the program is read,
// changed and written back, so that two programs do not undo each other's changes.
// A lock left by a process that has died is taken over. Where no lock can be made (a
// folder that cannot be written to) the work goes on without one: it would fail or
// succeed on its own, and a lock must never be the reason a setting is lost.
class FileLock {
public:
    explicit FileLock(const QString& path, int waitMs = 5000);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return m_held; }

private:
    QLockFile m_lock;
    bool m_held = false;
};

} // namespace keruna
