#include "quiz/testdialog.h"
#include "settings/settingsstore.h"
#include "support/fakeplatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

namespace {

const QString kSpeed = QStringLiteral("速度数値が不正です。");
const QString kSpeedRange = QStringLiteral("0.01秒～600秒の範囲以外は指定できません。");
const QString kNoNotYet = QStringLiteral("未暗記データがありません。範囲を変えてください。");
const QString kNoMemorized = QStringLiteral("暗記済データがありません。範囲を変えてください。");
const QString kNoRed = QStringLiteral("要チェックデータがありません。範囲を変えてください。");
const QString kBounds = QStringLiteral("0～1000000の範囲以外は指定できません。");
const QString kReversed = QStringLiteral("下限値が上限値を超えています。");
constexpr auto kInfo = MessageIcon::Information;

TestChoice words(const QString& seconds, int range, TestKind kind = TestKind::Automatic)
{
    TestChoice c;
    c.kind = kind;
    c.seconds = seconds;
    c.rangeIndex = range;
    return c;
}

TestChoice numbers(const QString& seconds, const QString& lowest, const QString& highest)
{
    TestChoice c;
    c.kind = TestKind::Number;
    c.seconds = seconds;
    c.lowest = lowest;
    c.highest = highest;
    c.rangeIndex = 0; // ignored by the number test
    return c;
}

} // namespace

TEST(TestDialogValidation, RefusesWhatCannotStartATest)
{
    struct Case {
        TestChoice choice;
        int notYet, memorized, red;
        QString text; // empty: accepted
        MessageIcon icon = kInfo;
        int due = 0; // 【復】
    };
    const QString fw5 = QStringLiteral("５");
    const Case cases[] = {
        {words("0.01", 3), 1, 1, 0, {}},
        {words("600", 3), 1, 1, 0, {}},
        {words("0.009", 3), 1, 1, 0, kSpeedRange},
        {words("600.5", 3), 1, 1, 0, kSpeedRange},
        {words("abc", 3), 1, 1, 0, kSpeed, MessageIcon::Warning},
        {words("", 3), 1, 1, 0, kSpeed, MessageIcon::Warning},
        {words(fw5, 3), 1, 1, 0, kSpeed, MessageIcon::Warning},
        // The speed comes first, whatever else is wrong.
        {words("abc", 0), 0, 0, 0, kSpeed, MessageIcon::Warning},
        {numbers("700", "0", "10"), 0, 0, 0, kSpeedRange},
        {words("4", 0), 0, 5, 5, kNoNotYet},
        {words("4", 0), 1, 0, 0, {}},
        {words("4", 1, TestKind::Manual), 5, 0, 5, kNoMemorized},
        {words("4", 1), 0, 1, 0, {}},
        {words("4", 2), 5, 5, 0, kNoRed},
        {words("4", 2, TestKind::Manual), 0, 0, 1, {}},
        {words("4", 3), 0, 0, 0, {}},
        {words("4", 4), 5, 5, 5, QStringLiteral("復習する問題はありません。")},
        {words("4", 4), 0, 0, 0, {}, kInfo, 1},
        {numbers("4", "0", "1000000"), 0, 0, 0, {}},
        {numbers("4", "-1", "10"), 0, 0, 0, kBounds},
        {numbers("4", "", "10"), 0, 0, 0, kBounds},
        {numbers("4", "0", "1000001"), 0, 0, 0, kBounds},
        {numbers("4", "0", "abc"), 0, 0, 0, kBounds},
        {numbers("4", "500", "100"), 0, 0, 0, kReversed},
        {numbers("4", "100", "100"), 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("kind %1, seconds '%2', range %3, bounds '%4'-'%5'")
                         .arg(int(c.choice.kind))
                         .arg(c.choice.seconds)
                         .arg(c.choice.rangeIndex)
                         .arg(c.choice.lowest, c.choice.highest)
                         .toStdString());
        const auto refusal = validateTestSetup(c.choice, c.notYet, c.memorized, c.red, c.due);
        if (c.text.isEmpty()) {
            EXPECT_FALSE(refusal) << refusal->text.toStdString();
            continue;
        }
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text, c.text);
        EXPECT_EQ(refusal->icon, c.icon);
    }
}

TEST(TestDialogPosition, OffsetFromTheMainWindowAndKeptOnScreen)
{
    // 2000 × 500 twips are 133 × 33 pixels, 4560 × 1100 are 304 × 73, 550 are 37.
    const QSize dialog(400, 300);
    const QRect screen(0, 0, 1920, 1080);
    struct Case {
        QPoint anchor;
        bool stick;
        QPoint expected;
    };
    const Case cases[] = {
        {{100, 100}, false, {404, 173}}, {{100, 100}, true, {233, 133}},
        {{-500, -300}, true, {0, 0}}, {{1800, 900}, false, {1520, 743}},
        {{1216, 707}, false, {1520, 780}}, // exactly on the edges: stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.anchor.x() << "," << c.anchor.y() << " stick " << c.stick);
        EXPECT_EQ(testDialogPosition(c.anchor, c.stick, dialog, screen), c.expected);
    }
}

namespace {

class TestDialogWidget : public ::testing::Test {
protected:
    QString stored(const char* key)
    {
        return SettingsStore::ReadValue(QString::fromLatin1(key), QStringLiteral("TEST"), path);
    }
    void store(const char* key, const QString& value)
    {
        SettingsStore::WriteValue(value, QString::fromLatin1(key), QStringLiteral("TEST"), path);
    }
    template <class T> T* find(Dialog& d, const char* name)
    {
        auto* w = d.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QColor background(const QWidget* w) { return w->palette().color(QPalette::Window); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Settei.ini"));
    FakePlatform platform;
    TestSetupInput input {
        true, false, QStringLiteral("7"), QStringLiteral("10"), QStringLiteral("500"), 12, 8, 4};
    const QColor accent {255, 102, 0}; // 26367 as blue-green-red
};

} // namespace

TEST_F(TestDialogWidget, StartsFromTheStoredChoicesAndWritesThemBackOnCancel)
{
    {
        // Broken and missing keys leave the design choices.
        store("SUUZI", QStringLiteral("abc"));
        store("HANI", QStringLiteral("7"));
        Dialog d(input, path, platform);
        EXPECT_TRUE(find<QRadioButton>(d, "zidoutestop")->isChecked());
        EXPECT_TRUE(find<QRadioButton>(d, "yosouop")->isChecked());
        EXPECT_TRUE(find<QRadioButton>(d, "Rndop_0")->isChecked());
        EXPECT_EQ(find<QComboBox>(d, "dakecom")->currentText(), QStringLiteral("【全】"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("全体テスト   未12 覚8 (要4)"));
        d.reject();
    }

    store("ZIDOU", QStringLiteral("False"));
    store("SHUDOU", QStringLiteral("True"));
    store("SUUZI", QStringLiteral("0"));
    store("NYUURYOKU", QStringLiteral("1")); // as the test engine writes it
    store("RND", QStringLiteral("False"));
    store("NRM", QStringLiteral("True"));
    store("HANI", QStringLiteral("2"));
    Dialog d(input, path, platform);
    EXPECT_TRUE(d.cancelled());
    EXPECT_TRUE(find<QRadioButton>(d, "syudoutestop")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(d, "nyuuryokuop")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(d, "Rndop_1")->isChecked());
    EXPECT_TRUE(find<QRadioButton>(d, "redop")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(d, "kikitorich")->isChecked());
    EXPECT_EQ(find<QComboBox>(d, "Seccom")->currentText(), "7");
    EXPECT_EQ(find<QComboBox>(d, "ketamax")->currentText(), "500");
    EXPECT_EQ(d.windowTitle(), QStringLiteral("要チェックのみテスト   未12 覚8 (要4)"));
    EXPECT_EQ(background(find<QFrame>(d, "Shape3")), accent);
    EXPECT_EQ(background(find<QFrame>(d, "Shape2")), Qt::white);

    find<QRadioButton>(d, "Madaop")->click();
    EXPECT_EQ(find<QComboBox>(d, "dakecom")->currentIndex(), 0);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("未暗記のみテスト   未12 覚8 (要4)"));
    find<QCheckBox>(d, "Revch")->click();
    EXPECT_EQ(find<QLabel>(d, "Mlabel")->text(), QStringLiteral("日本語"));
    EXPECT_EQ(find<QLabel>(d, "Alabel")->text(), QStringLiteral("English"));

    find<QPushButton>(d, "CancelButton")->click();
    EXPECT_TRUE(d.cancelled());
    const std::pair<const char*, const char*> written[] = {{"NYUURYOKU", "True"}, {"KIKITORI", "1"},
        {"REV", "1"}, {"ZIDOU", "False"}, {"SHUDOU", "True"}, {"SUUZI", "False"}, {"RND", "False"},
        {"NRM", "True"}, {"HANI", "0"}};
    for (const auto& [key, value] : written)
        EXPECT_EQ(stored(key), QString::fromLatin1(value)) << key;
}

TEST_F(TestDialogWidget, NumberTestRefusesABadSpeedThenHandsOverTheChoice)
{
    input.seconds = QStringLiteral("abc");
    Dialog d(input, path, platform);
    d.show();
    find<QRadioButton>(d, "suuzitestop")->click();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("数字の聞き取りテスト"));
    EXPECT_TRUE(find<QLabel>(d, "k")->isVisible());
    EXPECT_FALSE(find<QGroupBox>(d, "opFrame")->isVisible());
    EXPECT_FALSE(find<QCheckBox>(d, "Revch")->isVisible());
    EXPECT_FALSE(find<QWidget>(d, "Oppic")->isVisible());
    EXPECT_TRUE(find<QWidget>(d, "Suuzipic")->isVisible());
    EXPECT_EQ(background(find<QFrame>(d, "Shape4")), accent);
    EXPECT_EQ(background(find<QFrame>(d, "Shape2")), Qt::white);
    EXPECT_EQ(find<QRadioButton>(d, "zidoutestop")->palette().color(QPalette::WindowText), accent);

    find<QPushButton>(d, "OKButton")->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kSpeed);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(d.cancelled());

    // Only digits and the decimal point can be typed.
    auto* seconds = find<QComboBox>(d, "Seccom")->lineEdit();
    seconds->clear();
    QTest::keyClicks(seconds, QStringLiteral("2a.5"));
    EXPECT_EQ(seconds->text(), "2.5");
    find<QPushButton>(d, "OKButton")->click();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.cancelled());
    const TestChoice c = d.choice();
    EXPECT_EQ(c.kind, TestKind::Number);
    EXPECT_EQ(c.seconds, "2.5");
    EXPECT_EQ(c.lowest, "10");
    EXPECT_EQ(c.highest, "500");
    EXPECT_TRUE(c.listening);
    EXPECT_EQ(stored("SUUZI"), "True");
    EXPECT_EQ(stored("ZIDOU"), "False");
    EXPECT_EQ(stored("HANI"), "3");
    EXPECT_NE(std::find(platform.topmostCalls.begin(), platform.topmostCalls.end(),
                  std::pair<QWidget*, bool>(&d, true)),
        platform.topmostCalls.end());
}

TEST_F(TestDialogWidget, SpeedBoxTakesOnlyDigitsPointAndBackSpace)
{
    Dialog d(input, path, platform);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    auto* box = find<QComboBox>(d, "Seccom");
    auto* seconds = box->lineEdit();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        EXPECT_EQ(seconds->text(), QString());
        QTest::keyClicks(box, QStringLiteral("a"));
        EXPECT_EQ(seconds->text(), QString());
        QTest::keyClicks(seconds, QStringLiteral("x1-.+5 z"));
        EXPECT_EQ(seconds->text(), QStringLiteral("1.5"));
        QTest::keyClick(seconds, Qt::Key_Backspace);
        QTest::keyClick(seconds, Qt::Key_Backspace);
        QTest::keyClick(seconds, Qt::Key_Backspace);
        EXPECT_EQ(seconds->text(), QString());
        QTest::keyClicks(seconds, QStringLiteral("q"));
        EXPECT_EQ(seconds->text(), QString());

        // Nothing typed, or no number: OK refuses and the dialog stays.
        for (const QString& typed : {QString(), QStringLiteral("."), QStringLiteral("1.2.3")}) {
            seconds->clear();
            QTest::keyClicks(seconds, typed);
            EXPECT_EQ(seconds->text(), typed);
            platform.messages.clear();
            find<QPushButton>(d, "OKButton")->click();
            ASSERT_EQ(platform.messages.size(), 1u) << typed.toStdString();
            EXPECT_EQ(platform.messages[0].text, kSpeed);
            EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(d.cancelled());
        }
    }
}

TEST_F(TestDialogWidget, EveryStoredRangePreselectsItsRangeAndTrueReadsAsChecked)
{
    const char* const options[] = {"Madaop", "Sumiop", "redop", "Zenop", "Fukuop"};
    const char* const titles[] = {
        "未暗記のみテスト", "暗記済のみテスト", "要チェックのみテスト", "全体テスト", "復習テスト"};
    // Each round stores the range and checked values in another spelling.
    const QString trues[] = {QStringLiteral("true"), QStringLiteral("TRUE"), QStringLiteral("True"),
        QStringLiteral("1"), QStringLiteral("true")};
    for (int hani = 0; hani < 5; ++hani) {
        SCOPED_TRACE(hani);
        store("HANI", QString::number(hani));
        store("NYUURYOKU", trues[hani]);
        store("ZIDOU", QStringLiteral("false"));
        store("SHUDOU", trues[hani]);
        store("NRM", trues[hani]);
        store("RND", QStringLiteral("FALSE"));
        Dialog d(input, path, platform);
        EXPECT_EQ(find<QComboBox>(d, "dakecom")->currentIndex(), hani);
        EXPECT_TRUE(find<QRadioButton>(d, options[hani])->isChecked());
        EXPECT_TRUE(d.windowTitle().startsWith(QString::fromUtf8(titles[hani])));
        EXPECT_TRUE(find<QRadioButton>(d, "nyuuryokuop")->isChecked());
        EXPECT_TRUE(find<QRadioButton>(d, "syudoutestop")->isChecked());
        EXPECT_TRUE(find<QRadioButton>(d, "Rndop_1")->isChecked());
        d.reject();
        // Closing writes the same range back.
        EXPECT_EQ(stored("HANI"), QString::number(hani));
    }
}
