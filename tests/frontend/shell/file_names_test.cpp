#include "shell/file_names.h"

#include <gtest/gtest.h>

#include "qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "shell/earlier_results.h"

namespace farvik {
namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(FileNamesTest, UpperCaseTouchesTheFileNameOnly) {
    EXPECT_EQ(upperCaseFileName("/home/ana/mis datos/sis1.dat"), "/home/ana/mis datos/SIS1.DAT");
    EXPECT_EQ(upperCaseFileName(QStringLiteral("/tmp/año/señal.dat")),
              QStringLiteral("/tmp/año/SEÑAL.DAT"));
    EXPECT_EQ(upperCaseFileName("sis1.dat"), "SIS1.DAT");
}

TEST(FileNamesTest, EngineArgumentDropsTheFolderAndFourCharacters) {
    EXPECT_EQ(engineArgument("/home/ana/datos/SIS1.DAT"), "SIS1");
    EXPECT_EQ(engineArgument("/a b/c;d/MI SISTEMA $1.DAT"), "MI SISTEMA $1");
    EXPECT_EQ(engineArgument("/tmp/SISTEMA"), "SIS");  // no extension: still four go
    EXPECT_EQ(folderOf("/home/ana/SIS1.DAT"), "/home/ana");
    EXPECT_EQ(folderOf("/SIS1.DAT"), "/");
}

TEST(FileNamesTest, OnlyDataFilesRunAndSavedNamesGetTheExtension) {
    EXPECT_TRUE(hasDataExtension("/a/SIS1.DAT"));
    EXPECT_TRUE(hasDataExtension("/a/sis1.dat"));
    EXPECT_FALSE(hasDataExtension("/a/SISTEMA"));
    EXPECT_FALSE(hasDataExtension("/a/SIS1.TXT"));
    EXPECT_FALSE(hasDataExtension("/a.dat/SIS1"));  // the folder's name does not count
    EXPECT_FALSE(hasDataExtension("/a/.DAT"));      // no name before it
    EXPECT_EQ(withDataExtension("/a/sistema"), "/a/sistema.DAT");
    EXPECT_EQ(withDataExtension("/a/sis.Dat"), "/a/sis.Dat");
    EXPECT_EQ(withDataExtension("/a/sis.txt"), "/a/sis.txt.DAT");
}

TEST(FileNamesTest, FindsAFileWhateverItsCaseAndPrefersTheNewest) {
    QTemporaryDir dir;
    EXPECT_TRUE(findIgnoringCase(dir.path(), "resumen.txt").isEmpty());
    write(dir.filePath("resumen.TXT"), "new");
    EXPECT_EQ(findIgnoringCase(dir.path(), "resumen.txt"), dir.filePath("resumen.TXT"));

    write(dir.filePath("RESUMEN.txt"), "old");
    QFile old(dir.filePath("RESUMEN.txt"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                QFileDevice::FileModificationTime));
    old.close();
    EXPECT_EQ(findIgnoringCase(dir.path(), "resumen.txt"), dir.filePath("resumen.TXT"));
}

TEST(EarlierResultsTest, PutBackRestoresTheEarlierFilesAndDropsNewOnes) {
    QTemporaryDir dir;
    write(dir.filePath("RESUMEN.TXT"), "earlier summary");
    write(dir.filePath("fallo.txt"), "earlier trials");
    write(dir.filePath("SIS1.DAT"), "data");

    EarlierResults earlier;
    ASSERT_TRUE(earlier.setAside(dir.path()));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("RESUMEN.TXT")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("fallo.txt")));
    // What an engine writes when it starts.
    for (const QString& name : EarlierResults::names()) write(dir.filePath(name), "");

    earlier.putBack();
    EXPECT_EQ(read(dir.filePath("RESUMEN.TXT")), "earlier summary");
    EXPECT_EQ(read(dir.filePath("fallo.txt")), "earlier trials");
    EXPECT_EQ(read(dir.filePath("SIS1.DAT")), "data");
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot),
              QStringList({"fallo.txt", "RESUMEN.TXT", "SIS1.DAT"}));
}

TEST(EarlierResultsTest, WithoutPutBackTheEarlierFilesAreGone) {
    QTemporaryDir dir;
    write(dir.filePath("resumen.TXT"), "earlier");
    {
        EarlierResults earlier;
        ASSERT_TRUE(earlier.setAside(dir.path()));
        write(dir.filePath("resumen.TXT"), "this run");
    }
    EXPECT_EQ(read(dir.filePath("resumen.TXT")), "this run");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"resumen.TXT"}));
}

}  // namespace
}  // namespace farvik
