#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

namespace keruna::test {

// speech-dispatcher started for this test alone, speaking to the given ALSA device
// (or to its default output when none), with its socket, configuration and logs in a
// folder of its own.
//
// espeak-ng offers each of its 131 languages in 101 variants as well, some 13,000 voices,
// which the daemon reads from its module at start-up and every client reads again to
// build its voice list: two seconds on an idle machine, over twenty on a loaded one or
// under a sanitizer. The module here reads the system's espeak-ng data through a folder
// without the variants, so there is one voice per language. Only the espeak-ng module is
// loaded: no probing for other synthesizers.
//
// The client library finds the socket through GLib, which reads XDG_RUNTIME_DIR once a
// process: a second environment in the same process would be asked for at the first
// one's socket, and the daemon it starts refuses the mismatch. SPEECHD_ADDRESS names the
// socket outright.
class SpeechDispatcherEnvironment {
public:
    // With startDaemon false the daemon refuses to start, so that no engine is available.
    explicit SpeechDispatcherEnvironment(const char* alsaDevice, bool startDaemon = true)
    {
        const QString conf = m_dir.filePath("config/speech-dispatcher");
        QDir().mkpath(conf + "/modules");
        QDir().mkpath(m_dir.filePath("run"));
        QDir().mkpath(m_dir.filePath("log"));
        QFile::setPermissions(
            m_dir.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QByteArray config = "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                            "DefaultModule \"espeak-ng\"\n"
                            "LogDir \""
            + m_dir.filePath("log").toLocal8Bit() + "\"\n";
        if (alsaDevice)
            config += QByteArray("AudioOutputMethod \"alsa\"\nAudioALSADevice \"") + alsaDevice
                + "\"\n";
        if (!startDaemon)
            config += "DisableAutoSpawn\n";
        writeFile(conf + "/speechd.conf", config);
        writeFile(conf + "/modules/espeak-ng.conf", {}); // the module's defaults

        setEnv("XDG_CONFIG_HOME", m_dir.filePath("config"));
        setEnv("XDG_RUNTIME_DIR", m_dir.filePath("run"));
        setEnv("SPEECHD_ADDRESS",
            "unix_socket:" + m_dir.filePath("run/speech-dispatcher/speechd.sock"));
        if (linkVoicesWithoutVariants())
            setEnv("ESPEAK_DATA_PATH", m_dir.filePath("espeak"));
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
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
            if (it->wasSet)
                qputenv(it->name, it->value);
            else
                qunsetenv(it->name);
        }
    }

    // The daemon's log, to show when a test fails.
    QByteArray log() const
    {
        QFile f(m_dir.filePath("log/speech-dispatcher.log"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    void setEnv(const char* name, const QString& value)
    {
        m_saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv(name, value.toLocal8Bit());
    }

    // espeak-ng's data with every entry linked but the voice variants; false when the
    // system's data is not where espeak-ng keeps it on Debian.
    bool linkVoicesWithoutVariants()
    {
        QStringList candidates = QDir("/usr/lib").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (QString& c : candidates)
            c = "/usr/lib/" + c + "/espeak-ng-data";
        candidates << "/usr/share/espeak-ng-data";
        for (const QString& source : candidates) {
            if (!QFileInfo(source + "/phontab").isFile())
                continue;
            const QString target = m_dir.filePath("espeak/espeak-ng-data");
            QDir().mkpath(target + "/voices/!v");
            const QDir data(source);
            for (const QString& entry : data.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
                if (entry != "voices" && !QFile::link(data.filePath(entry), target + '/' + entry))
                    return false;
            }
            return true;
        }
        return false;
    }

    struct SavedVariable {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    QTemporaryDir m_dir;
    QList<SavedVariable> m_saved;
};

} // namespace keruna::test
