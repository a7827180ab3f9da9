// Reading data files into the document's model by the engine's rules, without a window.
#include "document/datafile_reading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "document/datafile_writer.h"

namespace farvik {
namespace {

QByteArray example(const char* name) {
    QFile file(QStringLiteral(FARVIK_SOURCE_DIR "/examples/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The bytes with line `number` (from 1) replaced by `text`.
QByteArray withLine(const QByteArray& bytes, int number, const QByteArray& text) {
    QList<QByteArray> lines = bytes.split('\n');
    lines[number - 1] = text + '\r';
    return lines.join('\n');
}

// The line numbers (from 1) of the lines right after each line that starts with `label`.
std::vector<int> valuesAfter(const QByteArray& bytes, const QByteArray& label) {
    const QList<QByteArray> lines = bytes.split('\n');
    std::vector<int> found;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].startsWith(label)) found.push_back(static_cast<int>(i) + 2);
    return found;
}

TEST(DataFileReading, EveryExampleReadsAndWritesBackToTheSameSystem) {
    for (const char* name :
         {"SERIE.DAT", "PARALELO.DAT", "SERPAR.DAT", "PARSER.DAT", "GENERAL.DAT"}) {
        const DataFileReading reading = readSystem(example(name));
        ASSERT_TRUE(reading.system) << name << ": " << reading.failure.toStdString();
        EXPECT_EQ(reading.status, 0);
        const DataFileReading again = readSystem(dataFileBytesFor(*reading.system));
        ASSERT_TRUE(again.system) << name;
        EXPECT_EQ(*again.system, *reading.system) << name;
    }
    const SystemData serpar = *readSystem(example("SERPAR.DAT")).system;
    EXPECT_EQ(serpar.systemType, 3);
    EXPECT_TRUE(serpar.redundancyStudy);
    int rows = 0;
    for (int i = 1; i <= serpar.subsystemCount; ++i) rows += serpar.subsystems[i].count;
    EXPECT_EQ(serpar.elementCount, rows);
}

TEST(DataFileReading, RefusesWhatTheEngineRefusesWithItsLineAndWords) {
    const QByteArray serie = example("SERIE.DAT");
    // Letters after the number: the engine stops at line 3, and so does the front end.
    DataFileReading r = readSystem(withLine(serie, 3, "6abc"));
    EXPECT_FALSE(r.system);
    EXPECT_EQ(r.line, 3);
    EXPECT_EQ(r.status, 13);
    EXPECT_EQ(r.failure.toStdString(),
              "línea 3: se esperaba el número total de elementos (un número entero) y se "
              "encontró «6abc»");

    // A count the engine would not hold, a decimal count, a file cut short.
    const int count = valuesAfter(serie, "Elementos en el subsistema 1")[0];
    r = readSystem(withLine(serie, count, "51"));
    EXPECT_EQ(r.status, 16);
    EXPECT_EQ(r.line, count);
    r = readSystem(withLine(serie, count, "2.5"));
    EXPECT_EQ(r.status, 13) << "the engine takes no decimal point in a count";
    r = readSystem(serie.left(serie.size() / 2));
    EXPECT_EQ(r.status, 12);
    EXPECT_EQ(r.line, 0);
    EXPECT_TRUE(r.failure.startsWith(QStringLiteral("el fichero termina antes de tiempo: ")));

    // Bytes that are no data file: the engine's first line with a value.
    const QByteArray binary(
        "\x7f"
        "ELF\x02\x01\x01\0\0\0\n\0\0\n\x03\0>\0\n",
        20);
    r = readSystem(binary);
    EXPECT_FALSE(r.system);
    EXPECT_EQ(r.line, 3);
}

TEST(DataFileReading, ValuesGoInAsWrittenWhereTheEngineTakesThem) {
    QByteArray serie = example("SERIE.DAT");
    const int seed = valuesAfter(serie, "Semilla:")[0];
    serie = withLine(serie, seed, "-150000");  // beyond the editor's arrows, not the engine's
    // A lognormal of code 4 stays as written (the engine converts it for itself).
    const int code = valuesAfter(serie, "5.-   NORMAL")[0];
    serie = withLine(serie, code, "4");
    const int first = valuesAfter(serie, "Par\xe1metro 1")[0];
    serie = withLine(serie, first, "100.");
    serie = withLine(serie, first + 2, "20");
    const DataFileReading r = readSystem(serie);
    ASSERT_TRUE(r.system) << r.failure.toStdString();
    EXPECT_EQ(r.system->seed, -150000);
    const ElementRec& element = r.system->subsystems[1].elements[1];
    EXPECT_EQ(element.distribution, 3);
    EXPECT_EQ(element.params[1], 100.0);
    EXPECT_EQ(element.params[2], 20.0);
}

TEST(DataFileReading, GeneralElementsTakeTheRowsInTheOrderOfTheirKeys) {
    QByteArray general = example("GENERAL.DAT");
    // Keys 9, 2, 7, 4, 5 in block order, dimension 9: the engine runs it.
    general = withLine(general, valuesAfter(general, "Dimension")[0], "9");
    const std::vector<int> keyLines = valuesAfter(general, "N\xfamero clave del elemento");
    ASSERT_EQ(keyLines.size(), 5u);
    const char* keys[] = {"9", "2", "7", "4", "5"};
    for (int b = 0; b < 5; ++b) general = withLine(general, keyLines[b], keys[b]);
    // Paths "1 4", "2 5", "1 3 5", "2 3 4" in the example: keys 1 and 3 become 9 and 7.
    const int path1 = valuesAfter(general, "Nombres de los elementos en serie del camino 1")[0];
    general = withLine(general, path1, "9");
    const int path3 = valuesAfter(general, "Nombres de los elementos en serie del camino 3")[0];
    general = withLine(general, path3, "9");
    general = withLine(general, path3 + 1, "7");
    const int path4 = valuesAfter(general, "Nombres de los elementos en serie del camino 4")[0];
    general = withLine(general, path4 + 1, "7");

    const DataFileReading r = readSystem(general);
    ASSERT_TRUE(r.system) << r.failure.toStdString();
    const SystemData& s = *r.system;
    ASSERT_EQ(s.subsystemCount, 5);
    // Keys 2 4 5 7 9 are rows 1..5; the block of key 9 (the first) is row 5.
    const SystemData plain = *readSystem(example("GENERAL.DAT")).system;
    EXPECT_EQ(s.subsystems[5].elements[1].params, plain.subsystems[1].elements[1].params);
    EXPECT_EQ(s.subsystems[5].elements[1].key, 5);
    EXPECT_EQ(s.paths[1].elements[1].params[1], 5);  // key 9
    EXPECT_EQ(s.paths[1].elements[2].params[1], 2);  // key 4
    EXPECT_EQ(s.paths[3].elements[2].params[1], 4);  // key 7
    EXPECT_EQ(s.pathEntryCount, plain.pathEntryCount);

    // Keys 1..n in any order keep their keys: the block of key K is row K.
    QByteArray permuted = example("GENERAL.DAT");
    const char* order[] = {"3", "1", "2", "5", "4"};
    for (int b = 0; b < 5; ++b) permuted = withLine(permuted, keyLines[b], order[b]);
    const SystemData p = *readSystem(permuted).system;
    EXPECT_EQ(p.subsystems[3].elements[1].params, plain.subsystems[1].elements[1].params);
    EXPECT_EQ(p.paths, plain.paths);
}

TEST(DataFileReading, OnlyARegularFileIsReadAndNothingWaitsOnAPipe) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("P.DAT"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    DataFileReading r = readSystemFile(fifo);  // no writer: an ordinary open would block
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(r.system);
    EXPECT_TRUE(r.failure.contains(QStringLiteral("tubería"))) << r.failure.toStdString();

    r = readSystemFile(dir.path());
    EXPECT_FALSE(r.system);
    EXPECT_TRUE(r.failure.contains(QStringLiteral("carpeta")));
    r = readSystemFile(dir.filePath(QStringLiteral("NADA.DAT")));
    EXPECT_FALSE(r.system);
    EXPECT_FALSE(r.failure.isEmpty());

    const QString copy = dir.filePath(QStringLiteral("SERIE.DAT"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(FARVIK_SOURCE_DIR "/examples/SERIE.DAT"), copy));
    r = readSystemFile(copy);
    EXPECT_TRUE(r.system);
}

}  // namespace
}  // namespace farvik
