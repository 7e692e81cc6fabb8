#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace keruna::test {

// What a command-line tool (xprop, xdotool …) prints, trimmed; empty when it printed
// nothing within ten seconds.
inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace keruna::test
