#include "support/harness.h"
#include "ui/fonts.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace keruna;
using namespace keruna::test;

// The open dialog offers every file, names without a dot included, under its caption.
TEST(QtPlatformDialogs, TheAllFilesFilterOffersNamesWithoutADot)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("words"), "a,1\r\n");
    writeBytes(dir.filePath("list.txt"), "b,2\r\n");
    QtPlatform platform(dir.path());
    OpenFileRequest request;
    request.title = QStringLiteral("問題データを開いてください");
    request.filter = QStringLiteral("すべてのファイル(*.*)");
    request.initialFile = dir.filePath("list.txt");

    QStringList filters;
    bool wordsOffered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(dir.path());
        // The folder is read in the background.
        for (int i = 0; i < 100 && model->rowCount(folder) < 2; ++i)
            QTest::qWait(20);
        const QModelIndex words = model->index(dir.filePath("words"));
        wordsOffered = words.isValid() && words.flags().testFlag(Qt::ItemIsEnabled)
            && model->filePath(words) == dir.filePath("words") && model->rowCount(folder) == 2;
        dialog->reject();
    });
    EXPECT_EQ(platform.chooseOpenFile(nullptr, request), std::nullopt);
    EXPECT_EQ(filters, QStringList {QStringLiteral("すべてのファイル(*.*)")});
    EXPECT_TRUE(wordsOffered);
}

// Stored fonts name Windows fonts this machine may lack. The dialog opens on the style and
// size stored, and OK with nothing changed gives back the stored font itself, name included.
TEST(QtPlatformDialogs, FontDialogKeepsAMissingStoredFontWhenNothingChanges)
{
    // As the program runs: Japanese style names in Qt's dialogs, Windows names mapped.
    QTranslator japanese;
    ASSERT_TRUE(japanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QApplication::installTranslator(&japanese);
    installFontSubstitutes();
    QtPlatform platform(QDir::tempPath());
    const QString missing = QStringLiteral("ＭＳ Ｐゴシック");
    ASSERT_FALSE(QFontDatabase::hasFamily(missing)) << "the test needs a machine without it";
    const QString other = QFontDatabase::families().value(0);
    struct Case {
        bool bold, italic;
        int size;
        bool change; // pick another size in the dialog
    };
    const Case cases[] = {{true, false, 25, false}, {true, false, 25, false},
        {false, false, 12, false}, {true, true, 14, false}, {true, false, 9, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bold << c.italic << c.size << c.change);
        QFont stored;
        stored.setFamilies({missing});
        stored.setBold(c.bold);
        stored.setItalic(c.italic);
        stored.setPointSize(c.size);
        QFont shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = dialog->currentFont();
            if (c.change) {
                QFont f(other);
                f.setPointSize(30);
                dialog->setCurrentFont(f);
            }
            dialog->accept();
        });
        const std::optional<QFont> chosen = platform.chooseFont(nullptr, stored);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(shown.bold(), c.bold);
        EXPECT_EQ(shown.pointSize(), c.size);
        if (c.change) {
            EXPECT_EQ(chosen->families().value(0, chosen->family()), other);
            EXPECT_EQ(chosen->pointSize(), 30);
            continue;
        }
        EXPECT_EQ(chosen->families().value(0, chosen->family()), missing);
        EXPECT_EQ(chosen->bold(), c.bold);
        EXPECT_EQ(chosen->italic(), c.italic);
        EXPECT_EQ(chosen->pointSize(), c.size);
    }
    QApplication::removeTranslator(&japanese);
}
