#pragma once

#include "getlist/getlist.h"
#include "mainscreen/mainstate.h"
#include "quiz/testtypes.h"
#include "support/harness.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace keruna::test {

// Three not-yet items (book needs checking) and one memorized; tests run over 【未】
// in file order, 2 s an item: the question and the answer 1000 ms each (typing: 1400/600).
class TestRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.start();
        h.form().show();
        QApplication::setActiveWindow(&h.form());
        path = h.path("words.txt");
        writeBytes(path,
            sjis(QStringLiteral("apple,りんご\r\nbook,本,赤×\r\ncat,ねこ,,○\r\ndog,いぬ\r\n")));
        h.open(path);
        choice.seconds = QStringLiteral("2");
        choice.random = false;
        choice.rangeIndex = 0;
        realDialog = h.form().chooseTestSetup;
        h.form().chooseTestSetup
            = [this](const TestSetupInput&) { return std::optional<TestChoice>(choice); };
    }
    void startTest(TestKind kind, bool typed = false)
    {
        choice.kind = kind;
        choice.typedInput = typed;
        click("TESTbtn");
    }
    void click(const char* name) { h.find<QToolButton>(name)->click(); }
    void advance(qint64 ms) { h.timers.advance(ms); }
    QString label(const char* name) { return h.find<QLabel>(name)->text(); }
    QString score() { return label("testKEKKAlabel_0"); }
    void type(const QString& text)
    {
        auto* box = h.find<QLineEdit>("cuttext");
        ASSERT_TRUE(box->isEnabled());
        box->setText(text);
    }
    QStringList getKeys()
    {
        // The checks shown while the test runs; the test list's once it has ended.
        const GetList& list = h.form().getList();
        QStringList keys;
        for (int i = 0; i < list.count(); ++i) {
            const GetEntry& e = list.shadow()[size_t(i)];
            const bool checked = running() ? list.isChecked(i) : e.checked;
            keys.append(e.key.section(u',', 0, 0) + (checked ? "+" : "-"));
        }
        return keys;
    }
    bool running() { return h.form().state().testmode; }
    // A key where the user presses it: on the control with the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &h.form();
        QTest::keyClick(focus, key, modifiers);
    }

    Form1Harness h;
    QString path;
    TestChoice choice;
    std::function<std::optional<TestChoice>(const TestSetupInput&)> realDialog;
};

} // namespace keruna::test
