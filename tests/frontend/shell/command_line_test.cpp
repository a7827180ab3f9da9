// farvik's command line, the recent files as stored, and the copies of the examples.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "shell/command_line.h"
#include "shell/installed_files.h"
#include "shell/recent_files.h"

namespace farvik {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, AFileIsTakenFromTheStartingFolderAndOnlyOne) {
    const CommandLine none = parseCommandLine({}, QStringLiteral("/datos"));
    EXPECT_EQ(none.action, Action::Run);
    EXPECT_TRUE(none.dataFile.isEmpty());

    EXPECT_EQ(parseCommandLine({QStringLiteral("SERIE.DAT")}, QStringLiteral("/datos")).dataFile,
              QStringLiteral("/datos/SERIE.DAT"));
    EXPECT_EQ(parseCommandLine({QStringLiteral("../b/P.DAT")}, QStringLiteral("/datos/a")).dataFile,
              QStringLiteral("/datos/b/P.DAT"));
    EXPECT_EQ(parseCommandLine({QStringLiteral("/x/Y.DAT")}, QStringLiteral("/datos")).dataFile,
              QStringLiteral("/x/Y.DAT"));
    // A file whose name starts with a hyphen, after "--".
    EXPECT_EQ(
        parseCommandLine({QStringLiteral("--"), QStringLiteral("-A.DAT")}, QStringLiteral("/d"))
            .dataFile,
        QStringLiteral("/d/-A.DAT"));

    const CommandLine two =
        parseCommandLine({QStringLiteral("A.DAT"), QStringLiteral("B.DAT")}, QStringLiteral("/d"));
    EXPECT_EQ(two.action, Action::Error);
    EXPECT_TRUE(two.message.startsWith(QStringLiteral("farvik: se abre un solo fichero")));
    const CommandLine unknown = parseCommandLine({QStringLiteral("--nada")}, QStringLiteral("/d"));
    EXPECT_EQ(unknown.action, Action::Error);
    EXPECT_TRUE(unknown.message.contains(QStringLiteral("opción desconocida: nada")))
        << unknown.message.toStdString();
}

TEST(CommandLineTest, HelpAndVersionAreSpanishAndWinOverEverythingElse) {
    for (const char* help : {"-h", "--help"}) {
        const CommandLine line = parseCommandLine({QString::fromLatin1(help)}, QStringLiteral("/"));
        EXPECT_EQ(line.action, Action::Help);
        EXPECT_TRUE(
            line.message.startsWith(QStringLiteral("Uso: farvik [opciones] [FICHERO.DAT]")));
        EXPECT_TRUE(line.message.contains(QStringLiteral("muestra la versión y termina")));
    }
    EXPECT_EQ(parseCommandLine({QStringLiteral("--version")}, QStringLiteral("/")).message,
              QStringLiteral("farvik (Farvik) 1.0.0\n"));

    // Answered before the window system starts, whatever else the line holds (Qt's options).
    EXPECT_EQ(textRequest({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                           QStringLiteral("--version")})
                  .action,
              Action::Version);
    EXPECT_EQ(textRequest({QStringLiteral("-v"), QStringLiteral("--help")}).action,
              Action::Version);
    EXPECT_EQ(textRequest({QStringLiteral("SERIE.DAT")}).action, Action::Run);
    // After "--" a file may be called --help.
    EXPECT_EQ(textRequest({QStringLiteral("--"), QStringLiteral("--help")}).action, Action::Run);
}

TEST(RecentFilesTest, FourAtMostNewestFirstEachOnceAndKeptInTheStore) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("Omvira.conf"));
    {
        RecentFiles recent{SettingsStore(store)};
        for (const char* path :
             {"/a/1.DAT", "/a/2.DAT", "/a/3.DAT", "/a/1.DAT", "/a/4.DAT", "/a/5.DAT"})
            recent.add(QString::fromLatin1(path));
        EXPECT_EQ(recent.paths(), (QStringList{"/a/5.DAT", "/a/4.DAT", "/a/1.DAT", "/a/3.DAT"}));
    }
    // A new program reads what the last one left; the placement's section is untouched.
    RecentFiles again{SettingsStore(store)};
    EXPECT_EQ(again.paths(), (QStringList{"/a/5.DAT", "/a/4.DAT", "/a/1.DAT", "/a/3.DAT"}));
    again.remove(QStringLiteral("/a/4.DAT"));
    EXPECT_EQ(RecentFiles(SettingsStore(store)).paths(),
              (QStringList{"/a/5.DAT", "/a/1.DAT", "/a/3.DAT"}));
    QSettings raw(store, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("RecentFiles/File1")).toString(),
              QStringLiteral("/a/5.DAT"));
    EXPECT_EQ(raw.value(QStringLiteral("RecentFiles/File4")).toString(), QString());
}

TEST(ExampleCopyTest, ACopyTheUserChangedIsNeverOverwritten) {
    QTemporaryDir installed, home;
    const QString example = installed.filePath(QStringLiteral("SERIE.DAT"));
    {
        QFile file(example);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("EXAMPLE\r\n");
    }
    // As installed: read-only for the user.
    QFile::setPermissions(example, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString folder = home.filePath(QStringLiteral("Farvik/ejemplos"));
    QString reason;
    const QString first = copyExample(example, folder, &reason);
    ASSERT_EQ(first, folder + QStringLiteral("/SERIE.DAT")) << reason.toStdString();
    EXPECT_TRUE(QFileInfo(first).permissions() & QFile::WriteOwner);
    // Unchanged, the same copy is opened again.
    EXPECT_EQ(copyExample(example, folder, &reason), first);

    {
        QFile file(first);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("changed\r\n");
    }
    const QString second = copyExample(example, folder, &reason);
    EXPECT_EQ(second, folder + QStringLiteral("/SERIE2.DAT"));
    QFile kept(first);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("EXAMPLE\r\nchanged\r\n"));

    EXPECT_TRUE(
        copyExample(installed.filePath(QStringLiteral("NADA.DAT")), folder, &reason).isEmpty());
    EXPECT_TRUE(reason.contains(QStringLiteral("no se puede leer el ejemplo")));
}

// The build lays the examples out beside the built program as the package does.
TEST(InstalledFilesTest, TheBuiltProgramFindsTheExamplesAsTheInstalledOneDoes) {
    QStringList names;
    for (const QString& path : exampleFiles(installedExamples(QStringLiteral(FARVIK_BIN_DIR))))
        names << QFileInfo(path).fileName();
    EXPECT_EQ(names, (QStringList{"GENERAL.DAT", "PARALELO.DAT", "PARSER.DAT", "SERIE.DAT",
                                  "SERPAR.DAT"}));
}

}  // namespace
}  // namespace farvik
