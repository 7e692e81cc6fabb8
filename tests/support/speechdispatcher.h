#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

namespace keruna::test {

// speech-dispatcher started for this test alone, speaking to the given ALSA device
// (or to its default output when none), with its socket in a folder of its own.
class SpeechDispatcherEnvironment {
public:
    explicit SpeechDispatcherEnvironment(const char* alsaDevice)
    {
        const QString conf = m_dir.filePath("config/speech-dispatcher");
        QDir().mkpath(conf);
        QDir().mkpath(m_dir.filePath("run"));
        QFile::setPermissions(
            m_dir.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile f(conf + "/speechd.conf");
        f.open(QIODevice::WriteOnly);
        if (alsaDevice)
            f.write(
                QByteArray("AudioOutputMethod \"alsa\"\nAudioALSADevice \"") + alsaDevice + "\"\n");
        f.close();
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath("run").toLocal8Bit());
    }
    ~SpeechDispatcherEnvironment()
    {
        // The daemon started for this test ends with it.
        const QDir pids(m_dir.filePath("run/speech-dispatcher/pid"));
        for (const QString& name : pids.entryList(QDir::Files)) {
            QFile f(pids.filePath(name));
            if (f.open(QIODevice::ReadOnly)) {
                const pid_t pid = pid_t(f.readAll().trimmed().toLongLong());
                if (pid > 1)
                    ::kill(-pid, SIGKILL); // the daemon and its modules; stuck on a dead output it
                                           // ignores SIGTERM
            }
        }
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
        qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldConfig;
    QByteArray m_oldRuntime;
};

} // namespace keruna::test
