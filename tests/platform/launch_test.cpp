#include "platform/launch.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A program that writes the count of its arguments, then each on a line of its own.
QString argumentRecorder(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("recorder");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$0.out\"\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QStringList recordedArguments(const QString &recorder)
{
    QFile out(recorder + ".out");
    const QDeadlineTimer deadline(10000);
    while (!(out.exists() && out.size() > 0) && !deadline.hasExpired())
        QThread::msleep(10);
    if (!out.open(QIODevice::ReadOnly))
        return {"<nothing recorded>"};
    QStringList lines = QString::fromUtf8(out.readAll()).split(u'\n');
    lines.removeLast();
    return lines;
}

TEST(OpenWithProgram, TheFileIsExactlyOneArgument)
{
    QTemporaryDir dir;
    const QString recorder = argumentRecorder(dir);
    ASSERT_FALSE(recorder.isEmpty());
    const QStringList names = {
        "/books/x\" --injected-option \"y.mp3",
        "/books/tab\there.mp3",
        "/books/My Book/a b.wpl",
        "/books/it's \"quoted\".mp3",
        "-dash.mp3",
        "/books/--help",
    };
    for (const QString &name : names) {
        QFile::remove(recorder + ".out");
        ASSERT_TRUE(platform::openWithProgram(u'"' + recorder + u'"', name)) << name.toStdString();
        const QString expected = name.startsWith(u'-') ? "./" + name : name;
        EXPECT_EQ(recordedArguments(recorder), QStringList({"1", expected})) << name.toStdString();
    }
}

TEST(OpenWithProgram, NoProgramStartsNothing)
{
    EXPECT_FALSE(platform::openWithProgram("", "/books/a.mp3"));
    EXPECT_FALSE(platform::openWithProgram("\"\"", "/books/a.mp3"));
    EXPECT_FALSE(platform::openWithProgram("/no/such/program", "/books/a.mp3"));
}

} // namespace
