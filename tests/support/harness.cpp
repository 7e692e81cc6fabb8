#include "support/harness.h"

#include "mainscreen/mainmenus.h"
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"

#include <QFile>
#include <QStringEncoder>
#include <QToolButton>

#include <gtest/gtest.h>

namespace keruna::test {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray sjis(const QString& text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

Form1Harness::Form1Harness(Settings settings)
{
    platform.folder = m_dir.path();
    if (settings == Settings::Defaults)
        InitSettings(settingsPath());
}

Form1Harness::~Form1Harness() = default;

Form1& Form1Harness::start()
{
    speech.clock = &clock;
    m_form = std::make_unique<Form1>(AppContext {platform, clock, timers, random, speech});
    return *m_form;
}

QString Form1Harness::settingsPath() const
{
    return SettingsStore::settingsPath(m_dir.path());
}

QAction* Form1Harness::action(const QString& name) const
{
    return m_form->menus().action(name);
}

void Form1Harness::open(const QString& path)
{
    platform.openAnswers.push_back(path);
    find<QToolButton>(QStringLiteral("Openbtn"))->click();
}

} // namespace keruna::test
