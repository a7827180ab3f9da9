#include "run_progress.h"

#include <QList>
#include <algorithm>
#include <cmath>

#include "datafile_layout.h"

namespace farvik {

RunProgress::RunProgress(qint64 total) : total_(total > 0 ? total : 0) {}

void RunProgress::begin(double t) {
    if (!begun_) started_ = t;
    begun_ = true;
    simulating_ = t;
    now_ = std::max(now_, t);
}

void RunProgress::observe(qint64 listingBytes, double t) {
    now_ = std::max(now_, t);
    done_ = std::max<qint64>(listingBytes, 0) / kListingLine;
    if (knowsTotal()) done_ = std::min(done_, total_);
}

double RunProgress::fraction() const {
    return knowsTotal() ? static_cast<double>(done_) / static_cast<double>(total_) : 0.0;
}

std::optional<double> RunProgress::secondsLeft() const {
    if (!knowsTotal() || done_ <= 0) return std::nullopt;
    if (done_ >= total_) return 0.0;
    const double spent = now_ - simulating_;
    if (spent <= 0) return std::nullopt;
    return spent * static_cast<double>(total_ - done_) / static_cast<double>(done_);
}

QString durationText(double seconds) {
    if (!(seconds >= 0)) seconds = 0;
    if (seconds < 59.95) return QString::number(seconds, 'f', 1) + QStringLiteral(" s");
    const qint64 whole = std::llround(seconds);
    const qint64 h = whole / 3600, m = (whole / 60) % 60, s = whole % 60;
    const auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    if (h == 0) return QString::number(m) + QLatin1Char(':') + two(s);
    return QString::number(h) + QLatin1Char(':') + two(m) + QLatin1Char(':') + two(s);
}

namespace {

QString trialsAndTime(const RunProgress& p) {
    QString text = QStringLiteral("Pruebas: %1").arg(p.done());
    if (p.knowsTotal()) text += QStringLiteral(" de %1").arg(p.total());
    return text + QStringLiteral("   Tiempo: ") + durationText(p.elapsed());
}

}  // namespace

QString progressText(const RunProgress& p) {
    QString text = trialsAndTime(p);
    if (const std::optional<double> left = p.secondsLeft())
        text += QStringLiteral("   Queda: ") + durationText(*left);
    return text;
}

QString stoppedText(const RunProgress& p) {
    // No time left: a stopped run has none.
    return trialsAndTime(p) + QStringLiteral("   Ejecución detenida");
}

QString runTimeText(double seconds) {
    return QStringLiteral("Tiempo de ejecución: ") + durationText(seconds);
}

std::optional<qint64> trialsOfDataFile(const QByteArray& bytes) {
    // The label in code page 1252, as the data file holds it.
    const QByteArray label = QString::fromUtf8(labels::kTrials).toLatin1();
    const qsizetype at = bytes.lastIndexOf(label);
    if (at < 0) return std::nullopt;
    const QList<QByteArray> rest = bytes.mid(at + label.size()).split('\n');
    for (const QByteArray& line : rest) {
        const QByteArray value = line.trimmed();
        if (value.isEmpty()) continue;
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        return ok && n > 0 ? std::optional<qint64>(n) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace farvik
