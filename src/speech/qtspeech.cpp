#include "speech/qtspeech.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSet>
#include <QTextToSpeech>
#include <QTimer>
#include <QVoice>

namespace keruna {

QString voiceLabel(const QString& name, const QLocale& locale)
{
    // The voice's language, unless its name says it already ("English (America)").
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage
        || name.contains(QLocale::languageToString(locale.language())))
        return name;
    return QStringLiteral("%1 (%2)").arg(name, locale.name().replace(u'_', u'-'));
}

int englishVoice(const QStringList& names, const QList<QLocale>& locales)
{
    // The lists' questions are English: American English first, then British, then any.
    // Within each, a voice named for it (espeak-ng's "English (America)", which speech-
    // dispatcher files under en-US with its Caribbean and other English voices) before
    // one that only has its locale.
    const auto first = [&](auto&& wanted) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QLocale locale = i < locales.size() ? locales[i] : QLocale::c();
            if (wanted(names[i], locale))
                return int(i);
        }
        return -1;
    };
    const std::pair<QLocale::Territory, QLatin1String> preferences[] = {
        {QLocale::UnitedStates, QLatin1String("English (America)")},
        {QLocale::UnitedKingdom, QLatin1String("English (Great Britain)")},
    };
    for (const auto& [where, named] : preferences) {
        int i
            = first([named = named](const QString& name, const QLocale&) { return name == named; });
        if (i < 0)
            i = first([where = where](const QString&, const QLocale& l) {
                return l.language() == QLocale::English && l.territory() == where;
            });
        if (i >= 0)
            return i;
    }
    const int any = first([](const QString& name, const QLocale& l) {
        return l.language() == QLocale::English || name.startsWith(QLatin1String("English"));
    });
    return std::max(any, 0);
}

// Owns the engine, in the speech thread.
class SpeechWorker : public QObject {
    Q_OBJECT
public:
    void start()
    {
        m_engine = new QTextToSpeech(this);
        if (m_engine->state() == QTextToSpeech::Error) {
            emit ready({}, 0);
            return;
        }
        // Qt lists the voices of the engine's locale only (on a desktop in the C locale,
        // speech-dispatcher's few voices of no known language): every locale's, in turn.
        QStringList names;
        QStringList plainNames;
        QList<QLocale> locales;
        QSet<QString> seen;
        const QList<QLocale> available = m_engine->availableLocales();
        for (const QLocale& locale :
            available.isEmpty() ? QList<QLocale> {m_engine->locale()} : available) {
            if (!available.isEmpty())
                m_engine->setLocale(locale);
            for (const QVoice& v : m_engine->availableVoices()) {
                if (seen.contains(v.name()))
                    continue;
                seen.insert(v.name());
                m_voiceList.append(v);
                m_voiceLocales.append(locale);
                names.append(voiceLabel(v.name(), locale));
                plainNames.append(v.name());
                locales.append(locale);
            }
        }
        const int english = englishVoice(plainNames, locales);
        connect(m_engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (m_speaking && (state == QTextToSpeech::Ready || state == QTextToSpeech::Error)) {
                m_speaking = false;
                emit finished(m_utterance, state == QTextToSpeech::Ready);
            }
        });
        emit ready(names, english);
    }
    void say(int utterance, const QString& text, int voiceIndex)
    {
        m_utterance = utterance;
        if (!m_engine || m_engine->state() == QTextToSpeech::Error) {
            emit finished(utterance, false);
            return;
        }
        if (voiceIndex >= 0 && voiceIndex < m_voiceList.size()) {
            // The voice's own language first: setting it chooses that language's default.
            if (m_engine->locale() != m_voiceLocales[voiceIndex])
                m_engine->setLocale(m_voiceLocales[voiceIndex]);
            m_engine->setVoice(m_voiceList[voiceIndex]);
        }
        m_speaking = true;
        m_engine->say(text);
        // Engines that cannot start speaking report nothing: say so at once.
        if (m_engine->state() == QTextToSpeech::Error) {
            m_speaking = false;
            emit finished(utterance, false);
        }
    }
    void stop()
    {
        m_speaking = false;
        if (m_engine)
            m_engine->stop();
    }

signals:
    void ready(const QStringList& voices, int firstEnglish);
    void finished(int utterance, bool completed);

private:
    QTextToSpeech* m_engine = nullptr;
    QList<QVoice> m_voiceList;
    QList<QLocale> m_voiceLocales; // the locale each voice was listed under
    bool m_speaking = false;
    int m_utterance = 0;
};

QtSpeech::QtSpeech(QObject* parent)
    : QObject(parent)
{
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker = new SpeechWorker;
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &SpeechWorker::ready, this, [this](const QStringList& names, int english) {
        m_voices = names;
        m_firstEnglish = english;
        m_ready = true;
        if (onVoicesKnown)
            onVoicesKnown(m_voices);
    });
}

void QtSpeech::startEngine()
{
    if (m_started)
        return;
    m_started = true;
    m_thread->start();
    QMetaObject::invokeMethod(m_worker, &SpeechWorker::start, Qt::QueuedConnection);
}

QtSpeech::~QtSpeech()
{
    if (!m_started) {
        delete m_worker;
        delete m_thread;
        return;
    }
    QMetaObject::invokeMethod(m_worker, &SpeechWorker::stop, Qt::QueuedConnection);
    m_thread->quit();
    // An engine still starting (or hung in its backend) must not keep the program from
    // ending: after a while the thread is left to the end of the process.
    if (m_thread->wait(3000))
        delete m_thread;
}

std::optional<QStringList> QtSpeech::voices()
{
    if (!m_ready)
        return std::nullopt;
    return m_voices;
}

bool QtSpeech::waitUntilReady(int timeoutMs)
{
    if (m_ready)
        return true;
    startEngine();
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_worker, &SpeechWorker::ready, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    timeout.start(timeoutMs);
    if (!m_ready)
        loop.exec();
    return m_ready;
}

void QtSpeech::speak(const QString& text, int voiceIndex)
{
    m_lastFinished = false;
    if (text.isEmpty() || !waitUntilReady(5000) || m_voices.isEmpty())
        return;
    static int counter = 0;
    const int utterance = ++counter;
    QEventLoop loop;
    bool done = false;
    const QMetaObject::Connection c = connect(
        m_worker, &SpeechWorker::finished, this,
        [&](int which, bool completed) {
            if (which != utterance)
                return;
            done = true;
            m_lastFinished = completed;
            loop.quit();
        },
        Qt::QueuedConnection);
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    bound.start(3000 + 200 * int(text.size()));
    QMetaObject::invokeMethod(m_worker,
        [w = m_worker, utterance, text, voiceIndex] { w->say(utterance, text, voiceIndex); });
    if (!done) {
        QEventLoop* outer = std::exchange(m_speaking, &loop);
        loop.exec();
        m_speaking = outer;
    }
    disconnect(c);
    if (!done)
        QMetaObject::invokeMethod(m_worker, &SpeechWorker::stop, Qt::QueuedConnection);
}

void QtSpeech::stop()
{
    if (!m_speaking)
        return;
    // The wait ends now; the worker silences the voice in its own thread.
    m_speaking->quit();
    QMetaObject::invokeMethod(m_worker, &SpeechWorker::stop, Qt::QueuedConnection);
}

} // namespace keruna

#include "qtspeech.moc"
