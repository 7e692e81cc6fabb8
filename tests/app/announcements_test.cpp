#include "database/dbgamen.h"
#include "quiz/testrun.h"

#include <QAccessible>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <set>

using namespace keruna;
using namespace keruna::test;

namespace {

// What a screen reader is told: the event, and what the object says of itself right then.
struct Heard {
    QString object;
    QAccessible::Event type;
    QString name;
};

std::vector<Heard>* g_heard = nullptr;

void record(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    if (g_heard && iface && event->object())
        g_heard->push_back(
            {event->object()->objectName(), event->type(), iface->text(QAccessible::Name)});
}

// Qt raises accessibility events only while an assistive-technology bridge is active: on
// X11 with an AT-SPI bus (the ctest entry under the accessibility bus), not offscreen.
class Announcements : public TestRun {
protected:
    void SetUp() override
    {
        m_previous = QAccessible::installUpdateHandler(record);
        g_heard = &heard;
        // The bridge reaches the bus after a few turns of the event loop.
        const bool bridged = qGuiApp->platformName() == u"xcb";
        for (int i = 0; bridged && i < 100 && !QAccessible::isActive(); ++i)
            QTest::qWait(20);
        if (!QAccessible::isActive()) {
            if (qEnvironmentVariableIsSet("KERUNA_ACCESSIBILITY_BUS"))
                FAIL() << "the accessibility bus is there but Qt's bridge is not active";
            GTEST_SKIP() << "no accessibility bridge on the " << qPrintable(qGuiApp->platformName())
                         << " platform";
        }
        TestRun::SetUp();
        heard.clear();
    }
    void TearDown() override
    {
        g_heard = nullptr;
        QAccessible::installUpdateHandler(m_previous);
    }
    // The names told for these labels, in order.
    QStringList namesOf(const std::set<QString>& labels) const
    {
        QStringList told;
        for (const Heard& h : heard)
            if (h.type == QAccessible::NameChanged && labels.count(h.object))
                told.append(h.object + u' ' + h.name);
        return told;
    }

    std::vector<Heard> heard;

private:
    QAccessible::UpdateHandler m_previous = nullptr;
};

} // namespace

// The answer is told when it shows, and its going when the next question comes: a screen
// reader must not keep the last answer under the new question.
TEST_F(Announcements, StudyCardsAreToldAsTheyShowAndAsTheyGo)
{
    h.find<QRadioButton>("Rndop_1")->setChecked(true);
    click("Startbtn");
    advance(3000);
    EXPECT_EQ(namesOf({"Label1", "Label2"}),
        (QStringList {"Label1 apple", QStringLiteral("Label2 りんご"), "Label1 book", "Label2 "}));
}

TEST_F(Announcements, ATestItemItsAnswerAndTheScoreAreTold)
{
    startTest(TestKind::Manual);
    click("syudouKAKUNIN");
    click("syudouMARU");
    EXPECT_EQ(namesOf({"Label1", "Label2", "testKEKKAlabel_0"}),
        (QStringList {QStringLiteral("testKEKKAlabel_0 ○ 0  × 0  正解率 0％"), "Label1 apple",
            QStringLiteral("Label2 りんご"), QStringLiteral("testKEKKAlabel_0 ○ 1  × 0  正解率 100％"),
            "Label1 book", "Label2 "}));
}

// The found entry is the last focus a screen reader hears of, after the list's own name.
TEST_F(Announcements, ASearchHitIsTheLastFocusTold)
{
    h.form().openDatabaseScreen();
    DBgamen* db = h.form().databaseScreen();
    ASSERT_TRUE(QTest::qWaitForWindowActive(db));
    auto* text = db->findChild<QLineEdit*>("Text");
    text->setFocus();
    for (const char* word : {"book", "dog"}) {
        text->setText(QString::fromLatin1(word));
        heard.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        std::vector<Heard> focus;
        std::copy_if(heard.begin(), heard.end(), std::back_inserter(focus),
            [](const Heard& h) { return h.type == QAccessible::Focus; });
        ASSERT_FALSE(focus.empty()) << word;
        EXPECT_EQ(focus.back().object, "madalist");
        EXPECT_EQ(focus.back().name, QString::fromLatin1(word));
        text->setFocus();
    }
}
