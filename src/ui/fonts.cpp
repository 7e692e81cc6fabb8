#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <cstdlib>

namespace keruna {

void installFontSubstitutes()
{
    static const bool done = [] {
        const QStringList gothic
            = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                QStringLiteral("VL PGothic"), QStringLiteral("Droid Sans Fallback")};
        const QStringList mincho
            = QStringList {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAPMincho")}
            + gothic;
        const QStringList mono
            = QStringList {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic")}
            + gothic;
        for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "メイリオ", "Meiryo", "Meiryo UI",
                 "游ゴシック", "Yu Gothic"})
            QFont::insertSubstitutions(QString::fromUtf8(name), gothic);
        for (const char* name :
            {"ＭＳ Ｐ明朝", "MS PMincho", "ＭＳ 明朝", "MS Mincho", "游明朝", "Yu Mincho"})
            QFont::insertSubstitutions(QString::fromUtf8(name), mincho);
        for (const char* name : {"ＭＳ ゴシック", "MS Gothic"})
            QFont::insertSubstitutions(QString::fromUtf8(name), mono);
        return true;
    }();
    Q_UNUSED(done);
}

void substituteIfMissing(const QString& family)
{
    if (family.isEmpty() || !QFont::substitutes(family).isEmpty()
        || QFontDatabase::hasFamily(family))
        return;
    QFont::insertSubstitutions(family,
        {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
            QStringLiteral("Droid Sans Fallback")});
}

FontSetting fontSettingOf(const QFont& font, bool withSize)
{
    FontSetting f;
    f.bold = font.bold();
    f.italic = font.italic();
    // The name as stored, not the family the font system substituted for it.
    f.name = font.families().value(0, font.family());
    f.size = withSize ? font.pointSizeF() : 0;
    return f;
}

QFont fontOf(const FontSetting& setting)
{
    substituteIfMissing(setting.name);
    QFont f;
    f.setFamilies({setting.name});
    f.setBold(setting.bold);
    f.setItalic(setting.italic);
    if (setting.size > 0)
        f.setPointSizeF(setting.size);
    return f;
}

QFont fontDialogPreset(const QFont& stored)
{
    const QString name = stored.families().value(0, stored.family());
    QFont shown = stored;
    const QString family = QFontDatabase::hasFamily(name) ? name : QFontInfo(stored).family();
    shown.setFamilies({family});
    // The dialog finds the style by its name, and the name Qt makes up for a weight is
    // translated ("太字"), while the family's own styles keep the font's names ("Bold"):
    // name the family's own style nearest to it, the weight kept before the slant.
    int bestDistance = -1;
    for (const QString& style : QFontDatabase::styles(family)) {
        const int slant = QFontDatabase::italic(family, style) == stored.italic() ? 0 : 10000;
        const int distance
            = slant + std::abs(QFontDatabase::weight(family, style) - stored.weight());
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            shown.setStyleName(style);
        }
    }
    return shown;
}

bool sameDialogFont(const QFont& a, const QFont& b)
{
    return a.families().value(0, a.family()) == b.families().value(0, b.family())
        && a.weight() == b.weight() && a.italic() == b.italic() && a.pointSizeF() == b.pointSizeF()
        && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

} // namespace keruna
