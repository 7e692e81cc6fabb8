#include "common/qtarguments.h"

namespace keruna {

namespace {

// Options that take the next argument as their value, and those that stand alone.
const QStringList kWithValue = {QStringLiteral("platform"), QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"), QStringLiteral("qmljsdebugger"),
    QStringLiteral("session"), QStringLiteral("display"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("name"), QStringLiteral("title"),
    QStringLiteral("visual"), QStringLiteral("geometry")};
const QStringList kAlone = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
    QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};

} // namespace

SplitArguments splitQtArguments(const QStringList& arguments)
{
    SplitArguments out;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (optionsEnded || !a.startsWith(u'-') || a == QLatin1String("--")) {
            optionsEnded = optionsEnded || a == QLatin1String("--");
            out.own.append(a);
            continue;
        }
        QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = name.indexOf(u'=');
        if (equals >= 0)
            name.truncate(equals);
        if (kWithValue.contains(name)) {
            out.qt.append(a);
            if (equals < 0 && i + 1 < arguments.size())
                out.qt.append(arguments[++i]);
        } else if (kAlone.contains(name)) {
            out.qt.append(a);
        } else {
            out.own.append(a);
        }
    }
    return out;
}

} // namespace keruna
