// How far a run is, from the size of the listing the engine writes one line a trial to.
#include "shell/run_progress.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "qstring_printer.h"

namespace farvik {
namespace {

// A listing that grows as the engine's does: four blanks, a number 15 wide, CR LF.
class FakeListing {
  public:
    FakeListing() : path_(dir_.filePath(QStringLiteral("listasis.txt"))) {}
    void addTrials(int n) {
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::Append));
        for (int i = 0; i < n; ++i) file.write("    1.234567890E+02\r\n");
    }
    qint64 size() const { return QFileInfo(path_).size(); }

  private:
    QTemporaryDir dir_;
    QString path_;
};

TEST(RunProgressTest, AGrowingListingGivesTheShareDoneAndTheTimeLeft) {
    FakeListing listing;
    RunProgress progress(1000);
    progress.begin(2.0);  // the engine starts; its questions are answered at 6
    progress.begin(6.0);
    progress.observe(listing.size(), 6.5);
    EXPECT_EQ(progress.done(), 0);
    EXPECT_EQ(progress.fraction(), 0.0);
    EXPECT_FALSE(progress.secondsLeft()) << "no rate before the first trials show";

    listing.addTrials(250);
    progress.observe(listing.size(), 8.0);
    EXPECT_EQ(progress.done(), 250);
    EXPECT_DOUBLE_EQ(progress.fraction(), 0.25);
    // 250 trials in the 2 s since the last answer: 750 more take 6 s.
    ASSERT_TRUE(progress.secondsLeft());
    EXPECT_DOUBLE_EQ(*progress.secondsLeft(), 6.0);
    EXPECT_DOUBLE_EQ(progress.elapsed(), 6.0);
    EXPECT_EQ(progressText(progress),
              QStringLiteral("Pruebas: 250 de 1000   Tiempo: 6.0 s   Queda: 6.0 s"));

    listing.addTrials(500);
    progress.observe(listing.size(), 10.0);
    EXPECT_DOUBLE_EQ(progress.fraction(), 0.75);
    EXPECT_DOUBLE_EQ(*progress.secondsLeft(), 4.0 * 250 / 750);

    // The engine reads the listing back for its table: the count stays at the total.
    listing.addTrials(250);
    progress.observe(listing.size(), 11.0);
    EXPECT_EQ(progress.done(), 1000);
    EXPECT_EQ(progress.fraction(), 1.0);
    EXPECT_EQ(*progress.secondsLeft(), 0.0);
}

TEST(RunProgressTest, PartLinesAndStrayBytesCountNoTrial) {
    RunProgress progress(10);
    progress.begin(0);
    progress.observe(RunProgress::kListingLine * 3 - 1, 1);
    EXPECT_EQ(progress.done(), 2);
    // A listing longer than the run asks for (not this run's) never passes the total.
    progress.observe(RunProgress::kListingLine * 50, 2);
    EXPECT_EQ(progress.done(), 10);
    // A listing read before the engine emptied it, then the fresh one.
    progress.observe(0, 3);
    EXPECT_EQ(progress.done(), 0);
    progress.observe(-1, 3);
    EXPECT_EQ(progress.done(), 0);
}

TEST(RunProgressTest, WithoutATotalOnlyTheTrialsDoneAreShown) {
    RunProgress progress(0);
    EXPECT_FALSE(progress.knowsTotal());
    progress.begin(1);
    progress.observe(RunProgress::kListingLine * 40, 5);
    EXPECT_EQ(progress.done(), 40);
    EXPECT_EQ(progress.fraction(), 0.0);
    EXPECT_FALSE(progress.secondsLeft());
    EXPECT_EQ(progressText(progress), QStringLiteral("Pruebas: 40   Tiempo: 4.0 s"));
}

TEST(RunProgressTest, DurationsReadAsSecondsThenMinutesThenHours) {
    EXPECT_EQ(durationText(0), QStringLiteral("0.0 s"));
    EXPECT_EQ(durationText(3.24), QStringLiteral("3.2 s"));
    EXPECT_EQ(durationText(59.94), QStringLiteral("59.9 s"));
    // Never "60.0 s": the next form takes over where the first would round up to a minute.
    EXPECT_EQ(durationText(59.96), QStringLiteral("1:00"));
    EXPECT_EQ(durationText(65.4), QStringLiteral("1:05"));
    EXPECT_EQ(durationText(3599.4), QStringLiteral("59:59"));
    EXPECT_EQ(durationText(3600 + 3 * 60 + 7), QStringLiteral("1:03:07"));
    EXPECT_EQ(durationText(-2), QStringLiteral("0.0 s"));
    EXPECT_EQ(durationText(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("0.0 s"));
    EXPECT_EQ(runTimeText(12.26), QStringLiteral("Tiempo de ejecución: 12.3 s"));
}

TEST(RunProgressTest, TheTotalIsTheNumberOfTrialsOfTheDataFile) {
    const auto example = [](const char* name) {
        QFile file(QStringLiteral(FARVIK_SOURCE_DIR "/examples/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_EQ(trialsOfDataFile(example("SERPAR.DAT")), 2000);
    const QByteArray serie = example("SERIE.DAT");
    ASSERT_FALSE(serie.isEmpty());
    const QByteArray label("N\xFAmero de pruebas:");
    const qsizetype at = serie.indexOf(label);
    ASSERT_GT(at, 0);
    const QByteArray head = serie.left(at + label.size());
    EXPECT_EQ(trialsOfDataFile(head + "\r\n\r\n  123456789\r\n"), 123456789);
    EXPECT_FALSE(trialsOfDataFile(head + "\r\n"));
    EXPECT_FALSE(trialsOfDataFile(head + "\r\nmil\r\n"));
    EXPECT_FALSE(trialsOfDataFile(head + "\r\n-5\r\n"));
    EXPECT_FALSE(trialsOfDataFile(QByteArray("no data file")));
}

}  // namespace
}  // namespace farvik
