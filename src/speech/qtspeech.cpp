#include "speech/qtspeech.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextToSpeech>
#include <QTimer>
#include <QVoice>

namespace keruna {

QString voiceLabel(const QString& name, const QLocale& locale)
{
    // Engines that know a voice's language say it; speech-dispatcher's voices say it in
    // their names ("English (America)") and come with no locale.
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return name;
    return QStringLiteral("%1 (%2)").arg(name, locale.name().replace(u'_', u'-'));
}

int englishVoice(const QStringList& names, const QList<QLocale>& locales)
{
    // The lists' questions are English: American English first, then British, then any.
    const auto english = [&](qsizetype i, QLocale::Territory where, QLatin1String named) {
        if (i < locales.size() && locales[i].language() == QLocale::English)
            return where == QLocale::AnyTerritory || locales[i].territory() == where;
        return named.isEmpty() ? names[i].startsWith(QLatin1String("English")) : names[i] == named;
    };
    const std::pair<QLocale::Territory, QLatin1String> preferences[] = {
        {QLocale::UnitedStates, QLatin1String("English (America)")},
        {QLocale::UnitedKingdom, QLatin1String("English (Great Britain)")},
        {QLocale::AnyTerritory, QLatin1String()},
    };
    for (const auto& [where, named] : preferences) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (english(i, where, named))
                return int(i);
        }
    }
    return 0;
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
        m_voiceList = m_engine->availableVoices();
        QStringList names;
        QStringList plainNames;
        QList<QLocale> locales;
        for (const QVoice& v : m_voiceList) {
            names.append(voiceLabel(v.name(), v.locale()));
            plainNames.append(v.name());
            locales.append(v.locale());
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
        if (voiceIndex >= 0 && voiceIndex < m_voiceList.size())
            m_engine->setVoice(m_voiceList[voiceIndex]);
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
