#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace farvik {

// How far a run of the engine has got, from the size of its listing: the engine writes one
// line of the same length to listasis.txt for every trial, so the file's size counts the
// trials done without the engine saying anything more. Times are in seconds from any fixed
// origin (the caller's clock).
class RunProgress {
  public:
    // Four blanks, a number 15 characters wide, CR LF.
    static constexpr qint64 kListingLine = 21;

    // total: the trials the data file asks for; 0 or less when it is not known.
    explicit RunProgress(qint64 total);

    // The run started at t; begin() again when the simulation itself starts (the console
    // questions answered): the estimate counts from the last begin().
    void begin(double t);
    // The listing holds bytes at time t.
    void observe(qint64 listingBytes, double t);

    qint64 total() const { return total_; }
    qint64 done() const { return done_; }
    bool knowsTotal() const { return total_ > 0; }
    // Done out of total, 0..1; 0 when the total is not known.
    double fraction() const;
    // Since the first begin().
    double elapsed() const { return now_ - started_; }
    // The time still needed at the rate seen since the last begin(); nothing before the
    // first trials show or when the total is not known.
    std::optional<double> secondsLeft() const;

  private:
    qint64 total_;
    qint64 done_ = 0;
    double started_ = 0;
    double simulating_ = 0;  // the last begin()
    double now_ = 0;
    bool begun_ = false;
};

// "3.2 s" below a minute, "1:05" (minutes and seconds) below an hour, "2:03:07" beyond.
QString durationText(double seconds);

// The console's progress line: trials done of total, elapsed time and the estimate left.
QString progressText(const RunProgress& progress);
// The last line of a run: how long it took.
QString runTimeText(double seconds);
// The line of a run stopped before its end: how far it got, and that it is stopped.
QString stoppedText(const RunProgress& progress);

// The number of trials a data file asks for: the value after its "Número de pruebas:"
// line (code page 1252 bytes); nothing when the file has no such number.
std::optional<qint64> trialsOfDataFile(const QByteArray& bytes);

}  // namespace farvik
