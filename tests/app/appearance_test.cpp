#include "app/layoutcontroller.h"
#include "app/stickcontroller.h"
#include "common/twips.h"
#include "mainscreen/mainmenus.h"
#include "settings/settingsreader.h"
#include "settings/settingsschema.h"
#include "study/stickscreen.h"
#include "support/harness.h"
#include "ui/shownfont.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

// A family this machine has, so that the font dialog could have offered it.
QString installedFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char* wanted : {"Noto Sans CJK JP", "DejaVu Sans"}) {
        if (families.contains(QString::fromLatin1(wanted)))
            return QString::fromLatin1(wanted);
    }
    return families.value(0);
}

QFont dialogAnswer(const QString& family, bool bold, bool italic, int size)
{
    QFont f;
    f.setFamilies({family});
    f.setBold(bold);
    f.setItalic(italic);
    f.setPointSize(size);
    return f;
}

QString stored(Form1Harness& h, const QString& section, const QString& key)
{
    return SettingsReader(h.settingsPath()).text(section, key);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QColor textColourOf(const QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

class AppearanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        h.form().show();
    }
    const MainControls& c() { return h.form().controls(); }
    Form1Harness h;
};

} // namespace

// Each font item (by its menu item or its popup twin) opens the dialog preset with its
// target's font and size, puts the choice on the target, and keeps it: the stick keys at
// once, the others with the exit set.
TEST_F(AppearanceTest, EveryFontTargetIsPresetAppliedAndKept)
{
    struct Row {
        const char* item;
        QString prefix; // key prefix: QFONTNAME ...
        QString section;
        QString presetName;
        bool presetBold;
        int presetSize;
        int chosenSize;
        bool hasSizeKey;
    };
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    const Row rows[] = {
        {"mfmondai", "Q", Section::Form, gothic, true, 50, 400, false},
        {"mdfkotae", "A", Section::Form, gothic, true, 25, 1, false},
        {"mflabel", "N", Section::Form, QStringLiteral("ＭＳ Ｐ明朝"), true, 12, 1, true},
        {"mdfsmozi", "S", Section::Stick, gothic, false, 11, 400, true},
        {"mftext", "T", Section::Form, gothic, true, 12, 400, true},
        {"mdflist", "L", Section::Form, gothic, false, 9, 1, true},
    };
    const QString family = installedFamily();
    ASSERT_FALSE(family.isEmpty());
    auto shownFont = [this](const QString& prefix) -> QFont {
        if (prefix == "Q")
            return c().Label1->font();
        if (prefix == "A")
            return c().Label2->font();
        if (prefix == "N")
            return c().NoLabel->font();
        if (prefix == "T")
            return fontWhenShown(c().cuttext);
        if (prefix == "L")
            return fontWhenShown(c().Picklist);
        return QFont();
    };

    for (const Row& row : rows) {
        SCOPED_TRACE(row.item);
        const QString key = row.prefix + QStringLiteral("FONT");
        const bool bold = !row.presetBold;
        h.platform.fontAnswers.push_back(dialogAnswer(family, bold, true, row.chosenSize));
        const std::size_t before = h.platform.fontRequests.size();
        const QByteArray fileBefore = fileBytes(h.settingsPath());
        h.action(QString::fromLatin1(row.item))->trigger();

        ASSERT_EQ(h.platform.fontRequests.size(), before + 1);
        const QFont& preset = h.platform.fontRequests.back();
        EXPECT_EQ(preset.families().value(0), row.presetName);
        EXPECT_EQ(preset.bold(), row.presetBold);
        EXPECT_FALSE(preset.italic());
        EXPECT_EQ(preset.pointSize(), row.presetSize);

        if (row.prefix == "S") {
            const StickStyle& s = h.form().state().stick;
            EXPECT_EQ(s.name, family);
            EXPECT_EQ(s.bold, bold);
            EXPECT_TRUE(s.italic);
            EXPECT_EQ(s.size, row.chosenSize);
            // Written at once, without waiting for the exit.
            EXPECT_EQ(stored(h, Section::Stick, "SFONTNAME"), family);
            EXPECT_EQ(stored(h, Section::Stick, "SFONTBOLD"), bold ? "True" : "False");
            EXPECT_EQ(stored(h, Section::Stick, "SFONTITALIC"), "True");
            EXPECT_EQ(stored(h, Section::Stick, "SFONTSIZE"), QString::number(row.chosenSize));
            continue;
        }
        // The other fonts wait for the exit set.
        EXPECT_EQ(fileBytes(h.settingsPath()), fileBefore);
        const QFont shown = shownFont(row.prefix);
        EXPECT_EQ(shown.families().value(0), family);
        EXPECT_EQ(shown.bold(), bold);
        EXPECT_TRUE(shown.italic());
        if (row.prefix == "Q") {
            EXPECT_EQ(h.form().layout().firstSize(), row.chosenSize);
            EXPECT_EQ(h.form().layout().secondSize(), 25);
        } else if (row.prefix == "A") {
            EXPECT_EQ(h.form().layout().secondSize(), row.chosenSize);
        } else {
            EXPECT_EQ(shown.pointSize(), row.chosenSize);
        }
        h.form().SaveCurrentSettings();
        EXPECT_EQ(stored(h, row.section, key + "NAME"), family);
        EXPECT_EQ(stored(h, row.section, key + "BOLD"), bold ? "True" : "False");
        EXPECT_EQ(stored(h, row.section, key + "ITALIC"), "True");
        if (row.hasSizeKey) {
            EXPECT_EQ(stored(h, row.section, key + "SIZE"), QString::number(row.chosenSize));
        }
    }

    // The question and answer sizes reach the labels at the next layout, whatever the
    // size box still shows.
    EXPECT_EQ(c().Sizecom->currentText(), "50");
    h.form().layout().ApplyFontLayout();
    EXPECT_EQ(c().Label1->font().pointSize(), 400);
    EXPECT_EQ(c().Label2->font().pointSize(), 1);

    // A second opening is preset with what was chosen.
    h.action("mdfmondai")->trigger();
    EXPECT_EQ(h.platform.fontRequests.back().families().value(0), family);
    EXPECT_EQ(h.platform.fontRequests.back().pointSize(), 400);
    h.action("mfsmozi")->trigger();
    EXPECT_EQ(h.platform.fontRequests.back().pointSize(), 400);
    EXPECT_TRUE(h.platform.fontRequests.back().italic());
}

// Each colour item sets irocom to its target index and opens the dialog preset with the
// target's colour; the choice is stored blue-green-red. irobtn alone uses irocom as set.
TEST_F(AppearanceTest, EveryColourTargetIsPresetAppliedAndKeptInBlueGreenRed)
{
    struct Row {
        const char* how; // a menu item, or irobtn after irocom is set
        int target;
        qint64 presetBgr;
        QColor chosen;
        QString bgrText;
        QString section;
        QString key;
    };
    const Row rows[] = {
        {"mhaikeiiro", 0, 15962624, QColor(0x12, 0x34, 0x56), "5649426", Section::Form, "BACK"},
        {"mdmondaiiro", 1, 16777215, QColor(0, 0, 0), "0", Section::Q, "Q"},
        {"irobtn", 2, 16777215, QColor(0x12, 0x34, 0x56), "5649426", Section::A, "A"},
        {"mlabeliro", 3, 16777215, QColor(0, 0, 0), "0", Section::L, "L"},
        {"mdsmoziiro", 4, 16777215, QColor(0xFF, 0xFF, 0xFF), "16777215", Section::Stick,
            "SFONTCOLOR"},
        {"mshaikeiiro", 5, 15962624, QColor(0, 0, 0), "0", Section::Stick, "SFONTBACKCOLOR"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        h.platform.colorAnswers.push_back(row.chosen);
        const std::size_t before = h.platform.colorRequests.size();
        if (QString::fromLatin1(row.how) == "irobtn") {
            c().irocom->setCurrentIndex(row.target);
            c().irobtn->click();
        } else {
            h.action(QString::fromLatin1(row.how))->trigger();
        }
        ASSERT_EQ(h.platform.colorRequests.size(), before + 1);
        EXPECT_EQ(h.platform.colorRequests.back(), colorFromBgr(row.presetBgr));
        EXPECT_EQ(c().irocom->currentIndex(), row.target);
        if (row.section == Section::Stick) {
            EXPECT_EQ(stored(h, row.section, row.key), row.bgrText); // at once
            const StickStyle& s = h.form().state().stick;
            EXPECT_EQ(
                qint64(row.target == 4 ? s.textColour : s.backColour), row.bgrText.toLongLong());
        } else {
            h.form().SaveCurrentSettings();
            EXPECT_EQ(stored(h, row.section, row.key), row.bgrText);
            EXPECT_EQ(stored(h, Section::Form, "CF"), QString::number(row.target));
        }
    }
    EXPECT_EQ(h.form().palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(textColourOf(c().Label1), QColor(0, 0, 0));
    EXPECT_EQ(textColourOf(c().Label2), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(textColourOf(c().NoLabel), QColor(0, 0, 0));

    // irobtn again: the target irocom holds, preset with the colour chosen for it.
    h.platform.colorAnswers.push_back(QColor(0xFF, 0xFF, 0xFF));
    c().irobtn->click();
    EXPECT_EQ(h.platform.colorRequests.back(), QColor(0, 0, 0));
    EXPECT_EQ(stored(h, Section::Stick, "SFONTBACKCOLOR"), "16777215");

    // The stick colours reach the strip when it opens, and its closing keeps them.
    c().boubtn->click();
    bougamen* strip = h.form().stick().strip();
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(textColourOf(strip->bouarea()), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(strip->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
    h.action("mdbou")->trigger();
    EXPECT_EQ(stored(h, Section::Stick, "SFONTCOLOR"), "16777215");
    EXPECT_EQ(stored(h, Section::Stick, "SFONTBACKCOLOR"), "16777215");
}

// The background colour is the main screen's at once; the item area takes it only once a
// list is open, and from then on every choice; the menu and the panels keep the desktop's.
TEST_F(AppearanceTest, BackgroundColoursTheWindowAndTheItemAreaOnlyOnceAListIsOpen)
{
    const QColor desktop = QApplication::palette().color(QPalette::Window);
    auto window = [this] { return h.form().palette().color(QPalette::Window); };
    auto itemArea = [this] { return c().Mframe->palette().color(QPalette::Window); };
    auto panelsKeepTheDesktopColour = [&] {
        for (QWidget* w : std::initializer_list<QWidget*> {c().mnuFrame, c().Pickframe,
                 c().testFrame, c().typeRow, c().Imgspl, h.form().menuBar()}) {
            SCOPED_TRACE(w->objectName().toStdString());
            EXPECT_EQ(w->palette().color(QPalette::Window), desktop);
            if (w != h.form().menuBar()) {
                EXPECT_TRUE(w->autoFillBackground());
            }
        }
    };
    const QColor first(0x12, 0x34, 0x56), second(0x65, 0x43, 0x21), third(0x20, 0xA0, 0x30);
    ASSERT_NE(first, desktop);
    for (const QColor& chosen : {first, second}) {
        h.platform.colorAnswers.push_back(chosen);
        h.action("mhaikeiiro")->trigger();
        EXPECT_EQ(window(), chosen);
        EXPECT_EQ(itemArea(), desktop);
        panelsKeepTheDesktopColour();
    }

    const QString path = h.path("list.txt");
    writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\n")));
    h.open(path);
    EXPECT_EQ(itemArea(), second);
    for (const QColor& chosen : {third, first}) {
        h.platform.colorAnswers.push_back(chosen);
        h.action("mdhaikeiiro")->trigger();
        EXPECT_EQ(window(), chosen);
        EXPECT_EQ(itemArea(), chosen);
        panelsKeepTheDesktopColour();
    }
    h.open(path);
    EXPECT_EQ(itemArea(), first);
}

// Cancel, and a font the system does not have, change nothing: no control, no layout
// size, no stored value, now or at exit.
TEST_F(AppearanceTest, CancelAndMissingFontsChangeNothing)
{
    auto snapshot = [this] {
        QStringList s;
        for (const SettingEntry& e : exitEntries(h.form().collectExitSettings()))
            s << e.section + "/" + e.key + "=" + e.value;
        const StickStyle& st = h.form().state().stick;
        s << st.name << QString::number(st.size) << QString::number(st.bold)
          << QString::number(st.italic) << QString::number(qint64(st.textColour))
          << QString::number(qint64(st.backColour));
        s << QString::number(h.form().layout().firstSize())
          << QString::number(h.form().layout().secondSize());
        for (const QWidget* w : {static_cast<const QWidget*>(c().Label1),
                 static_cast<const QWidget*>(c().Label2), static_cast<const QWidget*>(c().NoLabel)})
            s << w->font().toString() << textColourOf(w).name();
        s << c().Mframe->palette().color(QPalette::Window).name();
        s << fontWhenShown(c().cuttext).toString() << fontWhenShown(c().Picklist).toString();
        return s;
    };
    c().irocom->setCurrentIndex(3);
    h.form().SaveCurrentSettings();
    const QByteArray file = fileBytes(h.settingsPath());
    const QStringList before = snapshot();

    const char* fontItems[] = {"mfmondai", "mfkotae", "mflabel", "mfsmozi", "mftext", "mflist"};
    for (const char* item : fontItems) {
        h.action(QString::fromLatin1(item))->trigger(); // cancelled
        h.platform.fontAnswers.push_back(dialogAnswer("NoSuchFontFamily Xq7", true, true, 30));
        h.action(MainMenus::twinName(QString::fromLatin1(item)))->trigger();
    }
    EXPECT_EQ(h.platform.fontRequests.size(), 12u);
    EXPECT_TRUE(h.platform.fontAnswers.empty());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(fileBytes(h.settingsPath()), file);

    // Colour items still move irocom (the target is set before the dialog opens).
    const char* colourItems[]
        = {"mhaikeiiro", "mmondaiiro", "mkotaeiro", "mlabeliro", "msmoziiro", "mshaikeiiro"};
    for (const char* item : colourItems)
        h.action(QString::fromLatin1(item))->trigger();
    EXPECT_EQ(h.platform.colorRequests.size(), 6u);
    EXPECT_EQ(fileBytes(h.settingsPath()), file);
    c().irocom->setCurrentIndex(3);
    EXPECT_EQ(snapshot(), before);
}

// With the stick strip shown, the main window is on top while a dialog is open, and the
// strip goes back above it; the choice reaches the strip at once.
TEST_F(AppearanceTest, DialogsOpenAboveTheStickStripWhichThenShowsTheChoice)
{
    c().boubtn->click();
    bougamen* strip = h.form().stick().strip();
    ASSERT_TRUE(strip && strip->isVisible());
    const QString family = installedFamily();
    h.platform.fontAnswers.push_back(dialogAnswer(family, true, false, 17));
    h.platform.topmostCalls.clear();
    h.action("mdfsmozi")->trigger();

    const auto& calls = h.platform.topmostCalls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], std::make_pair(static_cast<QWidget*>(&h.form()), true));
    EXPECT_EQ(calls[1], std::make_pair(static_cast<QWidget*>(&h.form()), false));
    EXPECT_EQ(calls[2], std::make_pair(static_cast<QWidget*>(strip), true));
    EXPECT_EQ(strip->bouarea()->font().families().value(0), family);
    EXPECT_EQ(strip->bouarea()->font().pointSize(), 17);
    EXPECT_TRUE(strip->bouarea()->font().bold());

    // Always on top keeps the main window on top after the dialog.
    h.action("mdbou")->trigger();
    h.action("mmae")->trigger();
    ASSERT_TRUE(h.action("mmae")->isChecked());
    c().boubtn->click();
    ASSERT_TRUE(strip->isVisible());
    h.platform.topmostCalls.clear();
    h.platform.colorAnswers.push_back(QColor(0, 0, 0));
    h.action("mshaikeiiro")->trigger();
    ASSERT_FALSE(h.platform.topmostCalls.empty());
    for (const auto& call : h.platform.topmostCalls)
        EXPECT_TRUE(call.second);
    EXPECT_EQ(strip->palette().color(QPalette::Window), QColor(0, 0, 0));

    // Closing the strip keeps what it shows.
    h.action("mdbou")->trigger();
    EXPECT_EQ(stored(h, Section::Stick, "SFONTSIZE"), "17");
    EXPECT_EQ(stored(h, Section::Stick, "SFONTBACKCOLOR"), "0");
}

// The question size chosen in the font dialog shows on the next item of a study, though
// the size box keeps its text.
TEST_F(AppearanceTest, ChosenQuestionSizeShowsOnTheNextItem)
{
    const QString path = h.path("w.txt");
    writeBytes(path, sjis(QStringLiteral("apple,りんご\r\nbook,本\r\n")));
    h.open(path);
    h.platform.fontAnswers.push_back(dialogAnswer(installedFamily(), false, false, 48));
    h.action("mfmondai")->trigger();
    c().Startbtn->click();
    h.timers.advance(1);
    EXPECT_FALSE(c().Label1->text().isEmpty());
    EXPECT_EQ(c().Label1->font().pointSize(), 48);
    EXPECT_EQ(c().Label2->font().pointSize(), 25);
    EXPECT_EQ(c().Sizecom->currentText(), "50");
}
