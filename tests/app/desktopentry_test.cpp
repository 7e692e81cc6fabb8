#include "support/harness.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace keruna::test;

// The installed desktop entry starts the program from any prefix: one with a space, a
// quote or a dollar sign in its path too. A desktop launcher starts the entry with a file,
// and the program that runs (a stand-in that records its arguments) gets that file.
TEST(DesktopEntry, LaunchesFromAPrefixWithSpacesAndQuotes)
{
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (launcher.isEmpty())
        GTEST_SKIP() << "no desktop launcher (gio) on this machine";
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString list = root.filePath(QStringLiteral("単語 帳.txt"));
    writeBytes(list, "apple,1\r\n");
    for (const char* name : {"My Programs", "it's \"odd\" $HOME `x`"}) {
        SCOPED_TRACE(name);
        const QString prefix = root.filePath(QString::fromUtf8(name));
        QProcess install;
        install.start(QString::fromUtf8(KERUNA_CMAKE),
            {"--install", QString::fromUtf8(KERUNA_BUILD_DIR), "--prefix", prefix});
        ASSERT_TRUE(install.waitForFinished(60000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
        const QString entry = prefix + QStringLiteral("/share/applications/keruna.desktop");
        ASSERT_TRUE(QFile::exists(entry));

        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.start(validator, {entry});
            ASSERT_TRUE(validate.waitForFinished(10000));
            EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
        }

        const QString program = prefix + QStringLiteral("/bin/keruna");
        const QString record = root.filePath(QStringLiteral("arguments"));
        QFile::remove(record);
        QFile::remove(program);
        writeBytes(program,
            "#!/bin/sh\nfor a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                + record.toUtf8() + "'\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        QProcess launch;
        launch.start(launcher, {QStringLiteral("launch"), entry, list});
        ASSERT_TRUE(launch.waitForFinished(20000));
        EXPECT_EQ(launch.exitCode(), 0) << launch.readAllStandardError().toStdString();
        for (int i = 0; i < 100 && !QFile::exists(record); ++i)
            QThread::msleep(50);
        EXPECT_EQ(QString::fromUtf8(readBytes(record)), program + "\n" + list + "\n");
    }
}
