#pragma once

// A real run's summary for the windows that set it beside their exact figures.
#include <gtest/gtest.h>
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

namespace farvik::testing {

// Runs brenta on `data` written as SIS.DAT in the folder, asking the reliability at 200 and
// 600, and gives the summary it wrote.
inline QByteArray summaryOfRun(const QString& folder, const QByteArray& data) {
    QFile file(folder + QStringLiteral("/SIS.DAT"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    QProcess engine;
    engine.setWorkingDirectory(folder);
    engine.start(QStringLiteral(FARVIK_BIN_DIR "/brenta"), {QStringLiteral("SIS")});
    engine.write("1\n2\n200\n600\n");
    engine.closeWriteChannel();
    EXPECT_TRUE(engine.waitForFinished(60000));
    EXPECT_EQ(engine.exitCode(), 0);
    QFile summary(folder + QStringLiteral("/resumen.TXT"));
    EXPECT_TRUE(summary.open(QIODevice::ReadOnly));
    return summary.readAll();
}

}  // namespace farvik::testing
