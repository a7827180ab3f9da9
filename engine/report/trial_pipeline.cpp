#include "trial_pipeline.h"

#include <sys/resource.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "first_trials.h"
#include "number_format.h"
#include "trial_draws.h"
#include "trial_reports.h"

namespace brenta {
namespace {

// Trials 1 to kFirstTrials all fall in the first block, which the writing of fallo.txt and
// redun.TXT then waits for alone.
constexpr int kFewestTrialsPerBlock = kFirstTrials;
// From this size on, redun.TXT's rows go to the file from any thread, each trial's at its
// place; below it one thread writes them through the file's buffer. On one thread rows of
// this size reach the file during the first trials, before any other file is written, so
// that a write that fails is a write of redun.TXT either way; smaller ones may wait in
// the buffer until the file is closed, as they still do here.
constexpr std::int64_t kRowsWrittenApart = std::int64_t{2} << 20;
constexpr int kMostTrialsPerBlock = 1024;
// About what one block holds, in values: a few hundred KiB, so that a block is worth a
// hand-over between threads and a few per thread stay small.
constexpr int kBlockValues = 1 << 16;

// Whether a file of `end` bytes stays within the process's file-size limit. A write beyond
// it ends the process (or fails, where the signal is ignored): rows written in turn fill
// the file up to the limit first, as on one thread, where rows written at their places
// could meet it sooner and end the run with less written.
bool withinSizeLimit(std::int64_t end) {
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           static_cast<rlim_t>(end) <= limit.rlim_cur;
}

// The system times of one trial with each reported element duplicated, kept for the stage
// that adds them up in trial order: classes 3 and 4 every cell, row after row; class 5 each
// element's first cell, in the order of the report.
class DuplicationRecorder final : public TrialHooks {
  public:
    DuplicationRecorder(const Table50<std::int16_t>& index, const std::vector<int>& rowStart,
                        const std::vector<int>& keys)
        : index_(index), rowStart_(rowStart), keys_(keys) {}

    double* row = nullptr;  // of the trial being worked on

    void survival(double) override {}
    void trialDone(std::int32_t, const TrialState&) override {}
    void duplicateCell(std::int32_t, int j, int i, double xd, const Table50<double>*,
                       const double*) override {
        record(j, i, xd);
    }
    void duplicateCellChange(const TrialState&, std::int32_t, int j, int i, double xd,
                             const DuplicateChange&) override {
        record(j, i, xd);
    }
    void duplicateRow(std::int32_t, int i, const double* xd, int n) override {
        std::memcpy(row + rowStart_[i], xd, sizeof(double) * n);
    }
    void duplicateElements(const SystemData&, std::int32_t, const double* keyTime) override {
        for (std::size_t n = 0; n < keys_.size(); ++n) row[n] = keyTime[keys_[n]];
    }

  private:
    void record(int j, int i, double xd) {
        const int at = index_(j, i);
        if (at >= 0) row[at] = xd;
    }

    const Table50<std::int16_t>& index_;
    const std::vector<int>& rowStart_;
    const std::vector<int>& keys_;
};

// How many bytes the rows of redun.TXT of one of the first trials take.
class RedunRowLengths final : public TrialHooks {
  public:
    explicit RedunRowLengths(TrialVectorText& vector) : vector_(vector) {}

    std::int64_t bytes = 0;

    void survival(double) override {}
    void trialDone(std::int32_t, const TrialState&) override {}
    void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>* work,
                       const double* workRows) override {
        if (work) bytes += redunRowLength(k, j, i, vector_, *work, workRows, xd);
    }
    void duplicateCellChange(const TrialState&, std::int32_t k, int j, int i, double xd,
                             const DuplicateChange& change) override {
        bytes += redunRowLength(k, j, i, vector_, change, xd);
    }

  private:
    TrialVectorText& vector_;
};

// The rows of redun.TXT, from the first trials' tables kept for them.
class RedunRows final : public TrialHooks {
  public:
    RedunRows(OutputFile& redun, TrialVectorText& vector) : redun_(redun), vector_(vector) {}

    void survival(double) override {}
    void trialDone(std::int32_t, const TrialState&) override {}
    void duplicateCell(std::int32_t k, int j, int i, double xd, const Table50<double>* work,
                       const double* workRows) override {
        if (work) writeRedunRow(redun_, k, j, i, vector_, *work, workRows, xd);
    }
    void duplicateCellChange(const TrialState&, std::int32_t k, int j, int i, double xd,
                             const DuplicateChange& change) override {
        writeRedunRow(redun_, k, j, i, vector_, change, xd);
    }

  private:
    OutputFile& redun_;
    TrialVectorText& vector_;
};

struct Block {
    std::int32_t first = 0;  // its first trial
    int count = 0;
    bool worked = false;
    std::vector<double> raw;
    std::vector<double> tsis;
    std::vector<double> xd;  // count rows of the recorded duplications
    std::vector<char> listing;
    std::size_t listingBytes = 0;
    std::vector<E15_9Digits> written;
};

// What each thread keeps of its own: a trial's tables, the re-evaluation's, and the counts
// whose sums do not depend on the order of the trials (survivors, causes).
struct Lane {
    Lane(const SystemData& s, const ReliabilityQuery& q, const DuplicationRecorder& r)
        : st(std::make_unique<TrialState>()), incremental(s), query(q), recorder(r) {
        query.nsup.fill(0);
    }
    std::unique_ptr<TrialState> st;
    IncrementalReevaluation incremental;
    ReliabilityQuery query;
    DuplicationRecorder recorder;
    OutputFile rows;  // a trial's rows of redun.TXT, at their place
};

}  // namespace

class TrialPipeline {
  public:
    TrialPipeline(const SystemData& s, Generator& g, TrialState& st, Reevaluation mode,
                  const TrialDraws& draws, TrialReports& reports)
        : s_(s), g_(g), st_(st), mode_(mode), draws_(draws), r_(reports) {
        index_.v.fill(-1);
        if (s.redundancy()) {
            if (s.kclase == farvik::kGeneralClass) {
                for (const auto& c : r_.firstCells_) {
                    index_(c.m, c.p) = static_cast<std::int16_t>(keys_.size());
                    keys_.push_back(c.key);
                }
                cells_ = static_cast<int>(keys_.size());
            } else {
                rowStart_.assign(s.nsub + 1, 0);
                for (int i = 1; i <= s.nsub; ++i) {
                    rowStart_[i] = cells_;
                    for (int j = 1; j <= s.nelsub[i]; ++j) index_(j, i) = cells_++;
                }
            }
        }
        const int perTrial = draws.rawPerTrial() + cells_ + 4;
        perBlock_ = std::clamp(kBlockValues / perTrial, kFewestTrialsPerBlock, kMostTrialsPerBlock);
        blocks_ = (static_cast<std::int64_t>(s.nsim) + perBlock_ - 1) / perBlock_;
        firstTrials_.resize(std::min<std::int32_t>(s.nsim, kFirstTrials));
    }

    void run(int threads) {
        ring_.resize(2 * threads + 2);
        for (Block& b : ring_) {
            b.raw.resize(static_cast<std::size_t>(perBlock_) * draws_.rawPerTrial());
            b.tsis.resize(perBlock_);
            b.xd.resize(static_cast<std::size_t>(perBlock_) * cells_);
            b.listing.resize(static_cast<std::size_t>(perBlock_) * 24);
            b.written.resize(perBlock_);
        }
        const DuplicationRecorder recorder(index_, rowStart_, keys_);
        std::vector<std::unique_ptr<Lane>> lanes;
        for (int n = 0; n < threads; ++n)
            lanes.push_back(std::make_unique<Lane>(s_, r_.query_, recorder));
        std::vector<std::thread> others;
        threads_ = 1;
        for (int n = 1; n < threads; ++n) {
            try {
                others.emplace_back([this, &lane = *lanes[n]] { loop(lane); });
            } catch (const std::system_error&) {
                break;  // the threads that did start do the work
            }
            std::lock_guard<std::mutex> lock(m_);
            ++threads_;
        }
        loop(*lanes[0]);
        for (std::thread& t : others) t.join();
        if (writerError_) std::rethrow_exception(writerError_);
        if (error_) std::rethrow_exception(error_);

        // Sums of whole numbers: the same in any order.
        for (const auto& lane : lanes) {
            for (int i = 1; i <= r_.query_.nval; ++i) r_.query_.nsup[i] += lane->query.nsup[i];
            for (std::size_t n = 0; n < st_.ncausa.v.size(); ++n)
                st_.ncausa.v[n] += lane->st->ncausa.v[n];
        }
    }

  private:
    // The first trials' files: waiting for the first block, ready to be settled, being
    // settled by one thread, their rows being written by any, done.
    enum class Writer { kWaiting, kReady, kSettling, kWriting, kWritten };

    void loop(Lane& lane);
    void draw(Block& b, std::int64_t number);
    void work(Block& b, Lane& lane);
    void add(const Block& b);
    void reevaluate(TrialState& st, std::int32_t k, TrialHooks& hooks, Lane& lane);
    // Writes fallo.txt and settles where each first trial's rows of redun.TXT go; small
    // rows it writes at once.
    void settleFirstTrials(Lane& lane);
    // Writes the rows of trial n + 1 at their place.
    void writeRows(std::size_t n, Lane& lane);
    // Under the lock, once no row is being written: the file goes on after the rows, or
    // after the last byte before the first one a failed write left out.
    void endRows();
    // Runs a task; a failure stops every thread and is raised when they have ended.
    template <typename Task>
    bool attempt(Task task);

    const SystemData& s_;
    Generator& g_;
    TrialState& st_;
    const Reevaluation mode_;
    const TrialDraws& draws_;
    TrialReports& r_;

    // The recorded duplications: the place of each reported cell in a trial's row.
    Table50<std::int16_t> index_;
    std::vector<int> rowStart_;
    std::vector<int> keys_;
    int cells_ = 0;

    int perBlock_ = 0;
    std::int64_t blocks_ = 0;
    std::vector<Block> ring_;  // block n in ring_[n % size]
    std::vector<TrialState> firstTrials_;
    std::vector<std::unique_ptr<TrialVectorText>> firstTexts_;
    // Where trial n + 1's rows of redun.TXT start, and after the last their end; rows of
    // rowTasks_ trials are written apart (none when they are small).
    std::vector<std::int64_t> rowsAt_;
    std::size_t rowTasks_ = 0;
    std::size_t rowsTaken_ = 0;
    std::size_t rowsDone_ = 0;
    std::int64_t rowsCut_ = std::numeric_limits<std::int64_t>::max();

    std::mutex m_;
    std::condition_variable cv_;
    int threads_ = 1;
    std::int64_t drawn_ = 0;  // blocks drawn, taken by a thread, added in order
    std::int64_t taken_ = 0;
    std::int64_t added_ = 0;
    bool drawing_ = false;
    bool adding_ = false;
    Writer writer_ = Writer::kWaiting;
    bool stop_ = false;
    std::exception_ptr error_;
    std::exception_ptr writerError_;
};

template <typename Task>
bool TrialPipeline::attempt(Task task) {
    try {
        task();
        return true;
    } catch (...) {
        std::lock_guard<std::mutex> lock(m_);
        if (!error_) error_ = std::current_exception();
        stop_ = true;
        return false;
    }
}

void TrialPipeline::loop(Lane& lane) {
    const std::int64_t ringSize = static_cast<std::int64_t>(ring_.size());
    std::unique_lock<std::mutex> lock(m_);
    for (;;) {
        // The first trials' files are written whole even when a later step fails: the
        // single loop would have written them before.
        if (writer_ == Writer::kReady) {
            writer_ = Writer::kSettling;
            lock.unlock();
            std::exception_ptr failure;
            try {
                settleFirstTrials(lane);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            writerError_ = failure;
            stop_ = stop_ || failure;
            writer_ = failure || rowTasks_ == 0 ? Writer::kWritten : Writer::kWriting;
            cv_.notify_all();
            continue;
        }
        // The rows' writes take turns in the file system, so one thread at a time writes
        // them while trials are left to work out, and every thread once none is.
        const bool rowsWait = writer_ == Writer::kWriting && !writerError_ &&
                              rowsTaken_ < rowTasks_ &&
                              (rowsTaken_ == rowsDone_ || taken_ == blocks_ || stop_);
        if (rowsWait) {
            const std::size_t n = rowsTaken_++;
            lock.unlock();
            std::exception_ptr failure;
            try {
                writeRows(n, lane);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            ++rowsDone_;
            // The failure that leaves the earliest byte out is the one a single writer met.
            if (failure && lane.rows.writtenEnd() < rowsCut_) {
                rowsCut_ = lane.rows.writtenEnd();
                writerError_ = failure;
            }
            if (rowsDone_ == rowsTaken_ && (rowsTaken_ == rowTasks_ || writerError_)) endRows();
            cv_.notify_all();
            continue;
        }
        if (stop_ || (added_ == blocks_ && writer_ == Writer::kWritten)) return;

        Block& next = ring_[added_ % ringSize];
        if (!adding_ && added_ < taken_ && next.worked) {
            adding_ = true;
            lock.unlock();
            const bool done = attempt([&] { add(next); });
            lock.lock();
            adding_ = false;
            if (done) {
                next.worked = false;
                ++added_;
            }
            cv_.notify_all();
            continue;
        }
        const bool canDraw = !drawing_ && drawn_ < blocks_ && drawn_ - added_ < ringSize;
        // Drawing comes first while few blocks wait for a thread, then the waiting blocks.
        if (canDraw && (drawn_ - taken_ < threads_ || taken_ == drawn_)) {
            drawing_ = true;
            const std::int64_t number = drawn_;
            lock.unlock();
            const bool done = attempt([&] { draw(ring_[number % ringSize], number); });
            lock.lock();
            drawing_ = false;
            if (done) ++drawn_;
            cv_.notify_all();
            continue;
        }
        if (taken_ < drawn_) {
            const std::int64_t number = taken_++;
            Block& b = ring_[number % ringSize];
            lock.unlock();
            const bool done = attempt([&] { work(b, lane); });
            lock.lock();
            if (done) {
                b.worked = true;
                if (number == 0) writer_ = Writer::kReady;
            }
            cv_.notify_all();
            continue;
        }
        cv_.wait(lock);
    }
}

void TrialPipeline::draw(Block& b, std::int64_t number) {
    const std::int64_t first = number * perBlock_ + 1;
    b.first = static_cast<std::int32_t>(first);
    b.count = static_cast<int>(std::min<std::int64_t>(perBlock_, s_.nsim - first + 1));
    const int stride = draws_.rawPerTrial();
    for (int t = 0; t < b.count; ++t) draws_.drawRaw(g_, b.raw.data() + t * stride);
}

void TrialPipeline::work(Block& b, Lane& lane) {
    TrialState& st = *lane.st;
    const int stride = draws_.rawPerTrial();
    for (int t = 0; t < b.count; ++t) {
        const std::int32_t k = b.first + t;
        draws_.transform(b.raw.data() + t * stride, st);
        st.tsis = combine(s_, st.tel, st.tsub.data());
        lane.query.countSurvivors(st.tsis);
        contar_causas(st.tel, st.tsis, s_, st.ncausa);
        b.tsis[t] = st.tsis;
        // Their tables as drawn, before the re-evaluation pairs the duplicates.
        if (k <= kFirstTrials) firstTrials_[k - 1] = st;
        if (s_.redundancy()) {
            lane.recorder.row = b.xd.data() + static_cast<std::size_t>(t) * cells_;
            if (mode_ == Reevaluation::Direct) {
                reevaluateDirect(s_, st, k, lane.recorder);
            } else {
                lane.incremental(s_, st, k, lane.recorder);
            }
        }
    }
    b.listingBytes = writeListingLines(b.listing.data(), b.tsis.data(), b.count, b.written.data()) -
                     b.listing.data();
}

void TrialPipeline::add(const Block& b) {
    for (int t = 0; t < b.count; ++t) {
        const double tsis = b.tsis[t];
        r_.life_.add(b.first + t, tsis);
        r_.largest_ = tsis > r_.largest_ ? tsis : r_.largest_;
    }
    OutputFile& listing = r_.files_.listasis;
    char* p = listing.room(b.listingBytes);
    std::memcpy(p, b.listing.data(), b.listingBytes);
    listing.commit(p + b.listingBytes);
    r_.failures_.addAll(b.tsis.data(), b.written.data(), b.count, listing);
    // As the single loop does every 256 trials: the listing's size tells how far the run is.
    const std::int32_t last = b.first + (b.count - 1);
    if ((last >> 8) != ((b.first - 1) >> 8)) listing.flushWhenOlderThan(200);

    if (!s_.redundancy()) return;
    for (int t = 0; t < b.count; ++t) {
        const std::int32_t k = b.first + t;
        const double* row = b.xd.data() + static_cast<std::size_t>(t) * cells_;
        if (s_.kclase == farvik::kGeneralClass) {
            for (std::size_t n = 0; n < r_.firstCells_.size(); ++n)
                r_.redundancy_.add(k, r_.firstCells_[n].m, r_.firstCells_[n].p, row[n]);
        } else {
            for (int i = 1; i <= s_.nsub; ++i)
                r_.redundancy_.addRow(k, i, row + rowStart_[i], s_.nelsub[i]);
        }
    }
}

void TrialPipeline::reevaluate(TrialState& st, std::int32_t k, TrialHooks& hooks, Lane& lane) {
    if (mode_ == Reevaluation::Direct) {
        reevaluateDirect(s_, st, k, hooks);
    } else {
        lane.incremental(s_, st, k, hooks);
    }
}

void TrialPipeline::settleFirstTrials(Lane& lane) {
    OutputFile& redun = r_.files_.redun;
    std::int64_t at = redun.size();
    auto scratch = std::make_unique<TrialState>();
    for (std::size_t n = 0; n < firstTrials_.size(); ++n) {
        const TrialState& st = firstTrials_[n];
        auto vector = std::make_unique<TrialVectorText>(s_);
        vector->build(st.tel, st.tsub.data(), st.tsis);
        writeFalloRow(r_.files_.fallo, *vector);
        if (s_.redundancy()) {
            // The re-evaluation pairs the duplicates in the tables it is given: the rows
            // are written later from the tables as drawn.
            *scratch = st;
            RedunRowLengths lengths(*vector);
            reevaluate(*scratch, static_cast<std::int32_t>(n + 1), lengths, lane);
            rowsAt_.push_back(at);
            at += lengths.bytes;
        }
        firstTexts_.push_back(std::move(vector));
    }
    if (rowsAt_.empty()) return;
    rowsAt_.push_back(at);
    if (at >= kRowsWrittenApart && redun.regular() && withinSizeLimit(at)) {
        // The headings go first; the rows then fill room set aside for them.
        redun.flush();
        redun.reserve(at - redun.size());
        rowTasks_ = firstTrials_.size();
        return;
    }
    for (std::size_t n = 0; n < firstTrials_.size(); ++n) {
        RedunRows rows(redun, *firstTexts_[n]);
        reevaluate(firstTrials_[n], static_cast<std::int32_t>(n + 1), rows, lane);
        firstTexts_[n]->releaseShared();
    }
}

void TrialPipeline::writeRows(std::size_t n, Lane& lane) {
    lane.rows.openAt(r_.files_.redun, rowsAt_[n]);
    TrialVectorText& vector = *firstTexts_[n];
    RedunRows rows(lane.rows, vector);
    reevaluate(firstTrials_[n], static_cast<std::int32_t>(n + 1), rows, lane);
    lane.rows.flush();
    vector.releaseShared();
}

void TrialPipeline::endRows() {
    try {
        r_.files_.redun.resumeAt(writerError_ ? rowsCut_ : rowsAt_.back());
    } catch (...) {
        if (!writerError_) writerError_ = std::current_exception();
    }
    stop_ = stop_ || writerError_;
    writer_ = Writer::kWritten;
}

bool simulateInPipeline(const SystemData& s, Generator& g, TrialState& st, Reevaluation mode,
                        int threads, TrialReports& reports) {
    const TrialDraws draws(s);
    if (!draws.supported()) return false;
    TrialPipeline pipeline(s, g, st, mode, draws, reports);
    pipeline.run(threads);
    return true;
}

}  // namespace brenta
