#include "support/harness.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
