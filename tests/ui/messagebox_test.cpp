#include "ui/qtplatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace keruna;

// Enter answers a question with its default button: Yes as usual, No where Yes would lose
// something the user cannot get back. Each asked twice.
TEST(QtPlatformMessages, EnterGivesTheDefaultAnswer)
{
    QTemporaryDir dir;
    QtPlatform platform(dir.path());
    const struct {
        MessageButtons buttons;
        MessageResult enter;
    } cases[] = {{MessageButtons::YesNo, MessageResult::Yes},
        {MessageButtons::YesNoDefaultNo, MessageResult::No},
        {MessageButtons::YesNoCancel, MessageResult::Yes}};
    for (const auto& c : cases) {
        for (int round = 0; round < 2; ++round) {
            QTimer::singleShot(0, [] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                QTest::keyClick(box, Qt::Key_Return);
            });
            EXPECT_EQ(platform.showMessage(nullptr, QStringLiteral("保存しますか？"),
                          MessageIcon::Question, c.buttons, QString()),
                c.enter)
                << int(c.buttons) << " round " << round;
        }
    }
}
