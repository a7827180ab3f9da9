// The start of a text file as the viewer takes it: whole, or its first lines up to a limit.
#include "base/text_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "qstring_printer.h"

namespace farvik {
namespace {

class TextFileTest : public ::testing::Test {
  protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("redun.TXT"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(TextFileTest, AFileWithinTheLimitIsReadWholeAsText) {
    // Code page 1252 and CR LF, as the engine writes; a last line without its end stays.
    const auto start = readTextFileStart(write("ESTIMACI\xD3N\r\nprueb.\t1\r\nfin"), 25);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->text, QStringLiteral("ESTIMACIÓN\nprueb.\t1\nfin"));
    EXPECT_EQ(start->shownBytes, 25);
    EXPECT_EQ(start->fileBytes, 25);
    EXPECT_TRUE(start->whole());
}

TEST_F(TextFileTest, ALargerFileGivesItsWholeLinesUpToTheLimit) {
    const QString path = write("linea 1\r\nlinea 2\r\nlinea 3\r\n");  // 27 bytes
    // The limit falls inside the third line, then right after the second one's end.
    for (const qint64 limit : {qint64(20), qint64(18)}) {
        const auto start = readTextFileStart(path, limit);
        ASSERT_TRUE(start);
        EXPECT_EQ(start->text, QStringLiteral("linea 1\nlinea 2\n")) << limit;
        EXPECT_EQ(start->shownBytes, 18);
        EXPECT_EQ(start->fileBytes, 27);
        EXPECT_FALSE(start->whole());
    }
    // A CR LF split by the limit is no line end: the line it ends is left out.
    const auto split = readTextFileStart(path, 17);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->text, QStringLiteral("linea 1\n"));
}

TEST_F(TextFileTest, AFirstLineLongerThanTheLimitIsCutThere) {
    const auto start = readTextFileStart(write(QByteArray(100, 'x') + "\r\n"), 10);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->text, QString(10, QLatin1Char('x')));
    EXPECT_EQ(start->shownBytes, 10);
    EXPECT_EQ(start->fileBytes, 102);
}

TEST_F(TextFileTest, WhatCannotBeReadGivesNothing) {
    EXPECT_FALSE(readTextFileStart(dir_.filePath(QStringLiteral("no existe.txt")), 100));
    EXPECT_FALSE(readTextFileStart(dir_.path(), 100));  // a folder
    // An empty file is read: there is nothing in it.
    const auto empty = readTextFileStart(write(""), 100);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->text.isEmpty());
    EXPECT_TRUE(empty->whole());
}

}  // namespace
}  // namespace farvik
