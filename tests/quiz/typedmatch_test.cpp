#include "getlist/getlist.h"
#include "support/harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

// A Shift-JIS list holds ～ (0x8160) where a Linux input method types 〜: a typed answer
// with either one is right, in a typed test, twice in a row. The list's bytes stay.
TEST(TypedAnswers, TheWaveDashOfTheInputMethodMatchesTheListsOwn)
{
    Form1Harness h;
    h.start();
    const QString path = h.path("w.txt");
    const QByteArray bytes = sjis(QStringLiteral("from,～から\r\nminus,－1\r\n"));
    ASSERT_TRUE(bytes.contains("\x81\x60"));
    writeBytes(path, bytes);
    h.open(path);
    TestChoice choice;
    choice.kind = TestKind::Automatic;
    choice.typedInput = true;
    choice.seconds = QStringLiteral("4");
    choice.random = false;
    choice.rangeIndex = 3;
    h.form().chooseTestSetup
        = [&](const TestSetupInput&) { return std::optional<TestChoice>(choice); };
    h.find<QToolButton>("TESTbtn")->click();
    for (const QString& typed : {QStringLiteral("〜から"), QStringLiteral("−1")}) {
        h.timers.advance(typed.startsWith(u'〜') ? 1 : 4000);
        auto* box = h.find<QLineEdit>("cuttext");
        ASSERT_TRUE(box->isEnabled()) << typed.toStdString();
        box->setText(typed);
    }
    EXPECT_EQ(h.find<QLabel>("testKEKKAlabel_0")->text(), QStringLiteral("○ 2  × 0  正解率 100％"));
    h.find<QToolButton>("syuuryoubtn")->click();
    EXPECT_EQ(readBytes(path), bytes);
}
