// Every screen at the scale factor of a high-density display. The factor is read when the
// application starts (QT_SCALE_FACTOR), so CTest runs this suite once per factor, each in
// its own process; without the variable it runs at 1. With the English interface
// (KERUNA_TEST_LANGUAGE=en) the same walk also finds any Japanese the program still shows.
#include "app/form1.h"
#include "app/language.h"
#include "database/dbgamen.h"
#include "exchange/exportdialog.h"
#include "exchange/importdialog.h"
#include "getlist/pickgamen.h"
#include "history/historywindow.h"
#include "problemdata/range.h"
#include "problemdata/saveprogress.h"
#include "support/harness.h"
#include "ui/hozongamen.h"
#include "ui/propertiesdialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace keruna;
using namespace keruna::test;

namespace {

QString describe(const QWidget* w, const QString& text, QSize need)
{
    return QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
        .arg(w->objectName(), text)
        .arg(need.width())
        .arg(need.height())
        .arg(w->width())
        .arg(w->height());
}

// A push button's caption against the area the style draws it in. The style's size hint
// is no measure here: it also holds a minimum width that says nothing about the caption.
bool pushButtonFits(const QPushButton* b, QSize& need)
{
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    option.icon = b->icon();
    option.iconSize = b->iconSize();
    if (b->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (b->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
    need = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
    if (!b->icon().isNull())
        need.rwidth() += b->iconSize().width() + 4;
    const bool fits = need.width() <= area.width() && need.height() <= area.height();
    need += b->size() - area.size(); // reported as the button's whole size
    return fits;
}

// Shown texts that do not fit their control, and controls cut off by an edge of the
// window or of the panel they sit in. Empty when the screen is whole.
QStringList clippedTexts(const QWidget* window)
{
    QStringList faults;
    const auto shown = [window](const QWidget* w) { return w->isVisibleTo(window); };
    // Cut off by an edge of any of the panels around it.
    const auto checkInside = [&](const QWidget* w, const QString& text) {
        for (const QWidget* p = w; p != window && p->parentWidget(); p = p->parentWidget()) {
            if (!p->parentWidget()->rect().contains(p->geometry())) {
                faults.append(QStringLiteral("%1 \"%2\": cut off by %3 (%4,%5 %6x%7 in %8x%9)")
                                  .arg(w->objectName(), text, p->parentWidget()->objectName())
                                  .arg(p->x())
                                  .arg(p->y())
                                  .arg(p->width())
                                  .arg(p->height())
                                  .arg(p->parentWidget()->width())
                                  .arg(p->parentWidget()->height()));
                return;
            }
        }
    };
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!shown(l) || l->text().isEmpty())
            continue;
        if (l->wordWrap()) {
            // Wrapped text may take every line the width allows, but no more than its height.
            const int need = l->heightForWidth(l->width());
            if (need > l->height())
                faults.append(describe(l, l->text(), QSize(l->width(), need)));
        } else if (const QSize need = l->minimumSizeHint();
                   need.width() > l->width() || need.height() > l->height()) {
            faults.append(describe(l, l->text(), need));
        }
        checkInside(l, l->text());
    }
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!shown(b) || b->text().isEmpty())
            continue;
        QSize need;
        bool fits = true;
        if (const auto* push = qobject_cast<const QPushButton*>(b)) {
            fits = pushButtonFits(push, need);
        } else {
            const auto* tool = qobject_cast<const QToolButton*>(b);
            if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
                continue; // the caption is not drawn
            // Check boxes and radio buttons: the indicator, the gap and the text.
            need = tool ? tool->sizeHint() : b->minimumSizeHint();
            fits = need.width() <= b->width() && need.height() <= b->height();
        }
        if (!fits)
            faults.append(describe(b, b->text(), need));
        checkInside(b, b->text());
    }
    return faults;
}

// The texts of the example word list: shown as they are in any language.
QStringList listTexts()
{
    QFile file(QStringLiteral(KERUNA_EXAMPLES_DIR "/word-utf8.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
        for (const QString& field : line.trimmed().split(u','))
            if (!field.isEmpty())
                out.append(field);
    // The longest first, so that a text holding a shorter one goes whole.
    std::sort(out.begin(), out.end(),
        [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return out;
}

// Kana and kanji left in a text once the word list's own texts are taken out.
bool holdsJapanese(QString text)
{
    static const QStringList own = listTexts();
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3040}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff66}-\\x{ff9f}]"));
    for (const QString& t : own)
        text.remove(t);
    return text.contains(japanese);
}

// Every text of the window that a user reads or a screen reader speaks, with where it is.
QList<std::pair<QString, QString>> shownTexts(const QWidget* window)
{
    QList<std::pair<QString, QString>> out;
    const auto add = [&out](const QObject* o, const char* what, const QString& text) {
        if (!text.isEmpty())
            out.append({o->objectName() + u'.' + QLatin1String(what), text});
    };
    QList<const QWidget*> widgets = {window};
    for (const QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisibleTo(window))
            widgets.append(w);
    add(window, "windowTitle", window->windowTitle());
    for (const QWidget* w : widgets) {
        add(w, "toolTip", w->toolTip());
        add(w, "statusTip", w->statusTip());
        add(w, "accessibleName", w->accessibleName());
        add(w, "accessibleDescription", w->accessibleDescription());
        if (const auto* l = qobject_cast<const QLabel*>(w))
            add(w, "text", l->text());
        if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            add(w, "text", b->text());
        if (const auto* g = qobject_cast<const QGroupBox*>(w))
            add(w, "title", g->title());
        if (const auto* e = qobject_cast<const QLineEdit*>(w))
            add(w, "placeholderText", e->placeholderText());
        if (const auto* c = qobject_cast<const QComboBox*>(w); c && !c->isEditable())
            for (int i = 0; i < c->count(); ++i)
                add(w, "item", c->itemText(i));
        if (const auto* t = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(w, "tab", t->tabText(i) + u' ' + t->tabToolTip(i));
        if (const auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i)
                add(w, "header", v->model()->headerData(i, Qt::Horizontal).toString());
        for (const QAction* a : w->actions())
            add(a, "action", a->text() + u' ' + a->toolTip());
    }
    return out;
}

void expectNoJapaneseInEnglish(const QList<std::pair<QString, QString>>& texts, const QString& what)
{
    if (interfaceLanguage() != Language::English)
        return;
    QStringList left;
    for (const auto& [where, text] : texts)
        if (holdsJapanese(text))
            left.append(where + QStringLiteral(": ") + text);
    EXPECT_TRUE(left.isEmpty()) << what.toStdString() << ", Japanese left:\n  "
                                << left.join(QStringLiteral("\n  ")).toStdString();
}

void expectWhole(const QWidget* window, const QString& what)
{
    ASSERT_NE(window, nullptr) << what.toStdString();
    ASSERT_TRUE(window->isVisible()) << what.toStdString();
    const QStringList faults = clippedTexts(window);
    EXPECT_TRUE(faults.isEmpty()) << what.toStdString() << " at " << qApp->devicePixelRatio()
                                  << ":\n  " << faults.join(QStringLiteral("\n  ")).toStdString();
    expectNoJapaneseInEnglish(shownTexts(window), what);
}

// Runs check on the modal dialog that run opens, then closes it.
void whileModal(const std::function<void()>& run, const std::function<void(QDialog&)>& check)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog) {
            seen = true;
            check(*dialog);
            dialog->reject();
        }
    });
    run();
    EXPECT_TRUE(seen) << "no dialog came up";
}

class HiDpi : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        h.form().show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        // Every message the walk brought up, in the interface's language too.
        QList<std::pair<QString, QString>> texts;
        for (const ShownMessage& m : h.platform.messages)
            texts.append({QStringLiteral("message"), m.title + u' ' + m.text});
        expectNoJapaneseInEnglish(texts, QStringLiteral("messages"));
    }
    void openExample()
    {
        h.open(QStringLiteral(KERUNA_EXAMPLES_DIR "/word-utf8.txt"));
        QApplication::processEvents();
    }

    Form1Harness h;
};

} // namespace

TEST_F(HiDpi, TheFactorAskedForIsTheOneInForce)
{
    // Without this the other cases could all pass at factor 1 and prove nothing.
    const double asked = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
        ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
        : 1.0;
    EXPECT_DOUBLE_EQ(h.form().devicePixelRatioF(), asked);
}

TEST_F(HiDpi, CaptionsAreMeasuredInAFontThatHasTheirGlyphs)
{
    // Without a Japanese font every kana would measure as an empty box, and the checks
    // below would say nothing about what the user reads.
    for (const char* name : {"Rndop_0", "Revch"}) {
        const auto* button = h.find<QAbstractButton>(QLatin1String(name));
        QTextLayout layout(button->text(), button->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        for (const QChar c : button->text()) {
            EXPECT_TRUE(std::any_of(runs.begin(), runs.end(),
                [c](const QGlyphRun& run) { return run.rawFont().supportsCharacter(c); }))
                << name << ": no font draws " << QString(c).toStdString();
        }
    }
}

TEST_F(HiDpi, MainScreenIdleAndDuringAStudyWithItsGetPanel)
{
    expectWhole(&h.form(), QStringLiteral("Form1 before a file"));
    openExample();
    expectWhole(&h.form(), QStringLiteral("Form1 with a file"));
    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    QApplication::processEvents();
    expectWhole(&h.form(), QStringLiteral("Form1 studying"));
    h.timers.advance(1200); // half the period: the answer shows
    QApplication::processEvents();
    ASSERT_FALSE(h.find<QLabel>("Label2")->text().isEmpty());
    ASSERT_TRUE(h.find<QLabel>("Label2")->isVisible());
    expectWhole(&h.form(), QStringLiteral("Form1 studying, answer shown"));
    h.find<QToolButton>("Fteisibtn")->click();
    QApplication::processEvents();
    expectWhole(&h.form(), QStringLiteral("Form1 paused"));
}

TEST_F(HiDpi, DatabaseAndExternalGetScreens)
{
    openExample();
    h.find<QToolButton>("DBbtn")->click();
    QApplication::processEvents();
    expectWhole(h.form().databaseScreen(), QStringLiteral("DBgamen"));
    h.form().databaseScreen()->close();

    h.find<QToolButton>("Startbtn")->click();
    h.timers.advance(1);
    h.find<QToolButton>("listmaru")->click();
    h.find<QToolButton>("gaibubtn")->click();
    QApplication::processEvents();
    expectWhole(h.form().externalScreen(), QStringLiteral("Pickgamen"));
}

TEST_F(HiDpi, MainScreenInEachKindOfTestAndTheResultsOnTheDatabaseScreen)
{
    openExample();
    for (const TestKind kind : {TestKind::Number, TestKind::Manual, TestKind::Automatic}) {
        h.form().chooseTestSetup = [kind](const TestSetupInput&) {
            TestChoice c;
            c.kind = kind;
            c.seconds = QStringLiteral("2");
            c.lowest = QStringLiteral("0");
            c.highest = QStringLiteral("1000");
            return std::optional<TestChoice>(c);
        };
        h.find<QToolButton>("TESTbtn")->click();
        h.timers.advance(1);
        QApplication::processEvents();
        const QString what = QStringLiteral("Form1 in test %1").arg(int(kind));
        expectWhole(&h.form(), what);
        h.timers.advance(2500);
        QApplication::processEvents();
        expectWhole(&h.form(), what + QStringLiteral(", later"));
        h.find<QToolButton>("syuuryoubtn")->click();
        QApplication::processEvents();
        expectWhole(&h.form(), what + QStringLiteral(", ended"));
    }
    h.form().ShowTestResults();
    QApplication::processEvents();
    expectWhole(h.form().databaseScreen(), QStringLiteral("DBgamen with a test's results"));
}

TEST_F(HiDpi, TestSetUpInEachKind)
{
    openExample();
    TestSetupInput input;
    input.seconds = QStringLiteral("3");
    input.lowest = QStringLiteral("0");
    input.highest = QStringLiteral("1000");
    input.notYetCount = 12;
    input.memorizedCount = 8;
    input.redCount = 4;
    whileModal([&] { h.form().chooseTestSetup(input); },
        [](QDialog& d) {
            for (const char* kind : {"zidoutestop", "syudoutestop", "suuzitestop"}) {
                d.findChild<QRadioButton*>(QLatin1String(kind))->setChecked(true);
                QApplication::processEvents();
                expectWhole(&d, QStringLiteral("Dialog ") + QLatin1String(kind));
            }
        });
}

TEST_F(HiDpi, PropertiesOnEveryPage)
{
    kugirigamen& dialog = h.form().properties();
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("tbsOptions"));
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        expectWhole(&dialog, QStringLiteral("kugirigamen ") + tabs->tabText(i));
    }
}

TEST_F(HiDpi, SaveMethodAndExportChoice)
{
    whileModal([&] { hozongamen::ChooseSaveMethod(&h.form()); },
        [](QDialog& d) { expectWhole(&d, QStringLiteral("hozongamen save method")); });
    // The export choice as the database screen asks it, with the lists' own names.
    openExample();
    h.find<QToolButton>("DBbtn")->click();
    DBgamen* db = h.form().databaseScreen();
    ASSERT_NE(db, nullptr);
    whileModal([&] { h.form().ExportDatabaseLists(db, db->paneName(true), db->paneName(false)); },
        [](QDialog& d) { expectWhole(&d, QStringLiteral("hozongamen export")); });
}

TEST_F(HiDpi, PicturesAreDrawnAtTheScreensPixelDensity)
{
    // A picture made at one pixel per point and stretched would be blurred at 2.
    const qreal ratio = h.form().devicePixelRatioF();
    for (const char* name : {"Image1_0", "Image1_10"}) {
        const QPixmap picture = h.find<QLabel>(QLatin1String(name))->pixmap();
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), ratio) << name;
        EXPECT_EQ(picture.size(), h.find<QLabel>(QLatin1String(name))->size() * ratio) << name;
    }
    auto* open = h.find<QToolButton>("Openbtn");
    const QPixmap icon = open->icon().pixmap(open->iconSize(), ratio);
    EXPECT_EQ(icon.size(), open->iconSize() * ratio);
    EXPECT_DOUBLE_EQ(icon.devicePixelRatio(), ratio);
}

TEST_F(HiDpi, TheLanguageAskedForIsTheOneInForce)
{
    // As with the factor: an English run that fell back to Japanese would check nothing.
    const bool english = qEnvironmentVariable("KERUNA_TEST_LANGUAGE") == u"en";
    EXPECT_EQ(interfaceLanguage(), english ? Language::English : Language::Japanese);
    EXPECT_EQ(holdsJapanese(h.find<QToolButton>("Startbtn")->toolTip()), !english);
}

TEST_F(HiDpi, MenusHistoryPaletteImportAndExport)
{
    openExample();
    QList<std::pair<QString, QString>> menuTexts;
    for (const QMenu* menu : h.form().findChildren<QMenu*>()) {
        menuTexts.append({menu->objectName(), menu->title()});
        for (const QAction* a : menu->actions())
            if (a->objectName() != u"mgengoja") // each language is named in itself
                menuTexts.append({a->objectName(), a->text() + u' ' + a->toolTip()});
    }
    ASSERT_GT(menuTexts.size(), 100); // the bar's menus and the pop-up menu
    expectNoJapaneseInEnglish(menuTexts, QStringLiteral("menus"));

    h.action("mrireki")->trigger();
    QApplication::processEvents();
    expectWhole(h.form().historyWindow(), QStringLiteral("history"));
    h.form().historyWindow()->close();
    h.action("mtexthatuon")->trigger();
    QApplication::processEvents();
    expectWhole(h.form().findChild<QWidget*>(QStringLiteral("texthatuongamen")),
        QStringLiteral("speech palette"));

    ImportTable table;
    table.rows = {{"apple", "りんご", "tag"}, {"book", "本", ""}};
    ImportDialog import(table, QStringLiteral("deck.txt"), &h.form());
    import.show();
    QApplication::processEvents();
    expectWhole(&import, QStringLiteral("import"));
    h.find<QToolButton>("DBbtn")->click();
    const DBgamen* db = h.form().databaseScreen();
    ExportCounts counts;
    counts.leftName = db->paneName(true);
    counts.rightName = db->paneName(false);
    counts.left = 1;
    ExportDialog exporting(3, rangeLabel(RangeFilter::All), 1,
        {{exportOptionCaption(counts, ExportSet::Left), true}}, &h.form());
    exporting.show();
    QApplication::processEvents();
    expectWhole(&exporting, QStringLiteral("export"));
}
