// Installing into a prefix: both programs side by side, the menu entry, the icons drawn as
// the window icon is, and the installed brenta writing what the built one writes.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTranslator>

#include "shell/pictures.h"
#include "shell/qt_spanish.h"

namespace farvik {
namespace {

class InstalledPrefix : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix = new QTemporaryDir;
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral("cmake"),
                      {QStringLiteral("--install"), QStringLiteral(FARVIK_BUILD_DIR),
                       QStringLiteral("--prefix"), prefix->path()});
        installed = install.waitForFinished(120000) &&
                    install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
        installLog = new QString(QString::fromLocal8Bit(install.readAll()));
    }
    static void TearDownTestSuite() {
        delete prefix;
        delete installLog;
    }
    void SetUp() override { ASSERT_TRUE(installed) << installLog->toStdString(); }

    static QString in(const QString& relative) { return prefix->path() + '/' + relative; }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs a brenta on SERPAR in a folder of its own; the bytes of its summary and table.
    static QByteArray runSerpar(const QString& brenta, const QString& folder) {
        QFile::copy(QStringLiteral(FARVIK_SOURCE_DIR "/examples/SERPAR.DAT"),
                    folder + QStringLiteral("/SERPAR.DAT"));
        QProcess run;
        run.setWorkingDirectory(folder);
        run.start(brenta, {QStringLiteral("SERPAR")});
        run.write("1\n2\n100\n500\n");
        run.closeWriteChannel();
        if (!run.waitForFinished(60000) || run.exitCode() != 0) return {};
        return readAll(folder + QStringLiteral("/resumen.TXT")) +
               readAll(folder + QStringLiteral("/tablafia.txt"));
    }

    static inline QTemporaryDir* prefix = nullptr;
    static inline bool installed = false;
    static inline QString* installLog = nullptr;
};

TEST_F(InstalledPrefix, BothProgramsSitSideBySideAndTheInstalledEngineWritesWhatTheBuiltOneDoes) {
    const QFileInfo farvik(in(QStringLiteral("bin/farvik")));
    const QFileInfo brenta(in(QStringLiteral("bin/brenta")));
    ASSERT_TRUE(farvik.isExecutable());
    ASSERT_TRUE(brenta.isExecutable());
    // farvik starts the brenta of its own folder.
    EXPECT_EQ(farvik.absolutePath(), brenta.absolutePath());

    QTemporaryDir installedRun, builtRun;
    const QByteArray fromInstalled = runSerpar(brenta.filePath(), installedRun.path());
    const QByteArray fromBuilt =
        runSerpar(QStringLiteral(FARVIK_BIN_DIR "/brenta"), builtRun.path());
    ASSERT_FALSE(fromInstalled.isEmpty());
    EXPECT_EQ(fromInstalled, fromBuilt);
}

TEST_F(InstalledPrefix, TheMenuEntryStartsFarvikWithItsIcon) {
    const QString entry = in(QStringLiteral("share/applications/farvik.desktop"));
    ASSERT_TRUE(QFileInfo::exists(entry));
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(desktop.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    EXPECT_EQ(desktop.value(QStringLiteral("Exec")).toString(), QStringLiteral("farvik %f"));
    EXPECT_EQ(desktop.value(QStringLiteral("Icon")).toString(), QStringLiteral("farvik"));
    EXPECT_EQ(desktop.value(QStringLiteral("Terminal")).toString(), QStringLiteral("false"));

    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) return;  // the format's own checker, where it is installed
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {entry});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
}

TEST_F(InstalledPrefix, IconsAreTheProgramsPictureAtEachSizeAndAsAScalableDrawing) {
    for (int size : {48, 128, 256}) {
        const QString path =
            in(QStringLiteral("share/icons/hicolor/%1x%1/apps/farvik.png").arg(size));
        const QImage icon(path);
        ASSERT_FALSE(icon.isNull()) << path.toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size));
        // The same drawing as the window icon at that size, pixel for pixel.
        const QImage window = programPicture(size).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32), window) << size;
        // Transparent corners around an opaque picture.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
    QSvgRenderer svg(in(QStringLiteral("share/icons/hicolor/scalable/apps/farvik.svg")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 32, 32));
    // Rendered, it shows the picture: the blue rounded square and the yellow curve.
    QImage drawn(64, 64, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        svg.render(&painter);
    }
    const QImage expected = programPicture(64).toImage().convertToFormat(QImage::Format_ARGB32);
    int far = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb a = drawn.pixel(x, y), b = expected.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b)) >
                120)
                ++far;
        }
    // Antialiasing differs between the two paint engines at the edges only.
    EXPECT_LT(far, 64 * 64 / 50);
}

// Qt's Spanish texts: from a Qt installed in the same prefix first, else from the Qt that
// runs the program.
TEST(QtSpanish, FoundInThePrefixFirstThenInQtsOwnFolder) {
    QTemporaryDir prefix;
    const QString bin = prefix.path() + QStringLiteral("/bin");
    const QString own = prefix.path() + QStringLiteral("/share/qt6/translations");
    ASSERT_TRUE(QDir().mkpath(bin));
    const QStringList folders = qtTranslationFolders(bin);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], own);

    {
        QTranslator translator;
        ASSERT_TRUE(installQtSpanish(translator, bin)) << "qt6-translations-l10n missing";
        EXPECT_EQ(QFileInfo(translator.filePath()).absolutePath(), folders[1]);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QStringLiteral("Cancelar"));
    }
    ASSERT_TRUE(QDir().mkpath(own));
    ASSERT_TRUE(QFile::copy(folders[1] + QStringLiteral("/qtbase_es.qm"),
                            own + QStringLiteral("/qtbase_es.qm")));
    QTranslator translator;
    ASSERT_TRUE(installQtSpanish(translator, bin));
    EXPECT_EQ(QFileInfo(translator.filePath()).absolutePath(), own);
}

}  // namespace
}  // namespace farvik
