#include "getlist/pickgamen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QStandardItemModel>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <numeric>

using namespace keruna;

namespace {

struct Route {
    const char* external;
    const char* main;
};

const Route kRoutes[] = {
    {"listmaru", "listmaru"},
    {"listmodosi", "listmodosi"},
    {"listSkipbtn", "listSkipbtn"},
    {"listteisi", "Fteisibtn"},
    {"listsaikai", "Fsaikaibtn"},
    {"listhozon", "listhozon"},
    {"Picktest", "Picktest"},
    {"pickend", "pickend"},
    {"testTEISIbtn", "testTEISIbtn"},
    {"testSAIKAIbtn", "testSAIKAIbtn"},
    {"testvoice", "testvoice"},
    {"syuuryoubtn", "syuuryoubtn"},
    {"syudouKAKUNIN", "syudouKAKUNIN"},
    {"syudouMARU", "syudouMARU"},
    {"syudouBATU", "syudouBATU"},
    {"syudouskip", "syudouskip"},
    {"zidouMARU", "zidouMARU"},
    {"TestListbtn", "TestListbtn"},
    {"ketabotan", "ketabotan"},
    {"tsecbtn", "tsecbtn"},
};

class PickgamenTest : public ::testing::Test {
protected:
    PickgamenTest()
    {
        // Controls sit in a panel, as on the real main screen.
        panel = new QFrame(&main);
        for (const Route& r : kRoutes) {
            const QString name = QLatin1String(r.main);
            auto* b = new QToolButton(panel);
            b->setObjectName(name);
            QObject::connect(b, &QToolButton::clicked, [this, name] {
                ++clicks[name];
                if (name == QLatin1String("tsecbtn"))
                    speedAtApply = twin<QComboBox>("tsec")->currentText();
            });
        }
        for (const char* name : {"iroch", "typec"})
            (new QCheckBox(panel))->setObjectName(QLatin1String(name));
        const QStringList items[] = {{"1", "2", "3"}, {"0", "10"}, {"100", "1000"}};
        int i = 0;
        for (const char* name : {"tsec", "ketamin", "ketamax"}) {
            auto* c = new QComboBox(panel);
            c->setObjectName(QLatin1String(name));
            c->setEditable(true);
            c->addItems(items[i++]);
        }
        (new QLineEdit(panel))->setObjectName(QStringLiteral("cuttext"));
        // The main window may own the external screen: its own buttons must not count as twins.
        screen = new Pickgamen(main, &main);
    }

    template <class W = QWidget> W* mine(const char* name) const
    {
        return screen->findChild<W*>(QLatin1String(name));
    }
    template <class W = QWidget> W* twin(const char* name) const
    {
        return panel->findChild<W*>(QLatin1String(name));
    }
    int totalClicks() const { return std::accumulate(clicks.begin(), clicks.end(), 0); }

    QWidget main;
    QFrame* panel = nullptr;
    Pickgamen* screen = nullptr;
    QMap<QString, int> clicks;
    QString speedAtApply;
};

QStandardItemModel* checkableModel(QObject* parent, int rows)
{
    auto* model = new QStandardItemModel(0, 2, parent);
    for (int r = 0; r < rows; ++r) {
        auto* item = new QStandardItem(QStringLiteral("word%1").arg(r));
        item->setCheckable(true);
        model->appendRow({item, new QStandardItem(QStringLiteral("意味"))});
    }
    return model;
}

QList<Qt::CheckState> checks(const QStandardItemModel& model)
{
    QList<Qt::CheckState> out;
    for (int r = 0; r < model.rowCount(); ++r)
        out.append(model.item(r)->checkState());
    return out;
}

} // namespace

TEST_F(PickgamenTest, EachCommandPressesItsMainTwinOnceAndNothingWhenDisabled)
{
    for (const Route& r : kRoutes) {
        SCOPED_TRACE(r.external);
        auto* button = mine<QAbstractButton>(r.external);
        ASSERT_NE(button, nullptr);
        clicks.clear();
        button->click();
        EXPECT_EQ(clicks.value(QLatin1String(r.main)), 1);
        EXPECT_EQ(totalClicks(), 1);

        twin(r.main)->setEnabled(false);
        clicks.clear();
        button->click();
        EXPECT_EQ(totalClicks(), 0);
        twin(r.main)->setEnabled(true);
    }
    delete twin("listmaru");
    clicks.clear();
    mine<QAbstractButton>("listmaru")->click();
    EXPECT_EQ(totalClicks(), 0);
}

TEST_F(PickgamenTest, ValueAndOptionBoxesWriteIntoTheMainScreen)
{
    for (const char* name : {"tsec", "ketamin", "ketamax"}) {
        SCOPED_TRACE(name);
        auto items = [](const QComboBox* c) {
            QStringList out;
            for (int i = 0; i < c->count(); ++i)
                out.append(c->itemText(i));
            return out;
        };
        EXPECT_EQ(items(mine<QComboBox>(name)), items(twin<QComboBox>(name)));
        mine<QComboBox>(name)->setEditText(QStringLiteral("42"));
        EXPECT_EQ(twin<QComboBox>(name)->currentText(), QStringLiteral("42"));
    }
    screen->show();
    QTest::keyClicks(mine<QLineEdit>("cuttext"), QStringLiteral("apple"));
    EXPECT_EQ(twin<QLineEdit>("cuttext")->text(), QStringLiteral("apple"));

    // The speed is applied with this screen's value even when the main box moved meanwhile.
    mine<QComboBox>("tsec")->setEditText(QStringLiteral("7"));
    twin<QComboBox>("tsec")->setEditText(QStringLiteral("3"));
    mine<QAbstractButton>("tsecbtn")->click();
    EXPECT_EQ(speedAtApply, QStringLiteral("7"));

    for (const char* name : {"iroch", "typec"}) {
        SCOPED_TRACE(name);
        auto* box = mine<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        EXPECT_TRUE(twin<QCheckBox>(name)->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        EXPECT_FALSE(twin<QCheckBox>(name)->isChecked());
    }
}

TEST_F(PickgamenTest, CheckAllChecksEveryRowAndSwapsThePair)
{
    auto* check = mine<QAbstractButton>("gPickzencheck");
    auto* uncheck = mine<QAbstractButton>("gPickzencheckhazusi");
    QStandardItemModel empty;
    screen->setModel(&empty);
    check->click();
    EXPECT_FALSE(check->isHidden());
    EXPECT_TRUE(uncheck->isHidden());

    QStandardItemModel* model = checkableModel(screen, 3);
    model->item(1)->setCheckState(Qt::Checked);
    screen->setModel(model);
    check->click();
    EXPECT_EQ(checks(*model), QList<Qt::CheckState>(3, Qt::Checked));
    EXPECT_TRUE(check->isHidden());
    EXPECT_FALSE(uncheck->isHidden());
    uncheck->click();
    EXPECT_EQ(checks(*model), QList<Qt::CheckState>(3, Qt::Unchecked));
    EXPECT_FALSE(check->isHidden());
    EXPECT_TRUE(uncheck->isHidden());

    // Removing or saving through this screen leaves the check-all button up.
    for (const char* command : {"listmodosi", "listhozon"}) {
        check->click();
        mine<QAbstractButton>(command)->click();
        EXPECT_FALSE(check->isHidden()) << command;
        EXPECT_TRUE(uncheck->isHidden()) << command;
    }
}

TEST_F(PickgamenTest, ListIsASecondViewAndTheCountFollowsIt)
{
    QStandardItemModel* model = checkableModel(screen, 2);
    screen->setModel(model);
    auto* count = mine<QLabel>("listkazu");
    EXPECT_EQ(screen->list()->model(), model);
    EXPECT_EQ(count->text(), QStringLiteral("2"));
    model->appendRow(new QStandardItem(QStringLiteral("new")));
    EXPECT_EQ(count->text(), QStringLiteral("3"));
    model->removeRows(0, 2);
    EXPECT_EQ(count->text(), QStringLiteral("1"));
    model->clear();
    EXPECT_EQ(count->text(), QStringLiteral("0"));

    QStandardItemModel* other = checkableModel(screen, 5);
    screen->setModel(other);
    model->appendRow(new QStandardItem(QStringLiteral("old")));
    EXPECT_EQ(count->text(), QStringLiteral("5"));
}

TEST_F(PickgamenTest, MirrorFollowsTheMainScreenBothWays)
{
    auto* testPanel = new QFrame(&main);
    testPanel->setObjectName(QStringLiteral("testFrame"));
    for (bool paused : {true, false}) {
        SCOPED_TRACE(paused);
        twin("Fteisibtn")->setHidden(paused);
        twin("Fsaikaibtn")->setHidden(!paused);
        twin("listmaru")->setEnabled(!paused);
        twin("Fteisibtn")->setToolTip(paused ? QStringLiteral("一時停止　※Enter") : QString());
        twin<QCheckBox>("iroch")->setChecked(paused);
        testPanel->setHidden(!paused);
        screen->mirrorControls();
        EXPECT_EQ(mine("listteisi")->isHidden(), paused);
        EXPECT_EQ(mine("listsaikai")->isHidden(), !paused);
        EXPECT_EQ(mine("listmaru")->isEnabled(), !paused);
        EXPECT_EQ(mine("listteisi")->toolTip(), twin("Fteisibtn")->toolTip());
        EXPECT_EQ(mine<QCheckBox>("iroch")->isChecked(), paused);
        EXPECT_EQ(mine("testFrame")->isHidden(), !paused);
    }
}

TEST_F(PickgamenTest, HooksAndListClicks)
{
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("表示中の単語を暗記済にできます"));
    int movedIn = 0, closedCount = 0, listClicks = 0;
    QPoint popupAt;
    screen->moveIn = [&] { ++movedIn; };
    screen->closed = [&] {
        ++closedCount;
        screen->close(); // the main screen closes it again while moving the list in
    };
    screen->listClicked = [&] { ++listClicks; };
    screen->listPopup = [&](const QPoint& global) { popupAt = global; };
    QStandardItemModel* model = checkableModel(screen, 2);
    screen->setModel(model);
    screen->show();

    mine<QAbstractButton>("naibubtn")->click();
    EXPECT_EQ(movedIn, 1);

    // A click on an entry also hands the value boxes to the main screen.
    mine<QComboBox>("ketamax")->setEditText(QStringLiteral("500"));
    twin<QComboBox>("ketamax")->setEditText(QStringLiteral("100"));
    QTreeView* view = screen->list();
    const QPoint entry = view->visualRect(model->index(1, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry);
    EXPECT_EQ(listClicks, 1);
    EXPECT_EQ(twin<QComboBox>("ketamax")->currentText(), QStringLiteral("500"));
    emit view->customContextMenuRequested(entry);
    EXPECT_EQ(popupAt, view->viewport()->mapToGlobal(entry));

    screen->hide();
    EXPECT_EQ(closedCount, 0);
    screen->show();
    EXPECT_TRUE(screen->close());
    EXPECT_EQ(closedCount, 1);
}

TEST_F(PickgamenTest, EverythingShownStillFitsTheDefaultWindow)
{
    for (const char* name : {"listsaikai", "pickend", "gPickzencheckhazusi", "testFrame",
             "Frame1_15", "typeRow", "Picktestlabel"})
        mine(name)->show();
    screen->setPicktestText(QStringLiteral("○12　×3　正解率80％"));
    screen->show();
    EXPECT_LE(screen->minimumSizeHint().width(), 420);
    EXPECT_LE(screen->minimumSizeHint().height(), 360);
    EXPECT_GE(screen->list()->height(), 60);
}
