#include "what_if_runner.h"

#include <QMetaObject>
#include <chrono>

namespace farvik {

using analysis::ExactSystem;
using analysis::SystemModel;

namespace {

// R at the times and the curves that took longer than this are shown before the mean life.
constexpr std::chrono::milliseconds kShowBeforeTheMeanLife(40);

}  // namespace

WhatIfRunner::WhatIfRunner(analysis::StateFunction state, QObject* parent)
    : QObject(parent), state_(state) {
    qRegisterMetaType<farvik::WhatIfAnswer>("farvik::WhatIfAnswer");
    worker_ = std::thread([this] { work(); });
}

WhatIfRunner::~WhatIfRunner() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        quit_ = true;
        stopSystem_ = true;
        stopQuestion_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void WhatIfRunner::setSystem(SystemModel model, double curveEnd) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        newSystem_ = System{std::move(model), curveEnd};
        stopSystem_ = true;
        stopQuestion_ = true;
    }
    wake_.notify_all();
}

quint64 WhatIfRunner::ask(std::size_t element, const analysis::ElementLaw& law,
                          std::vector<double> times) {
    const quint64 number = ++newest_;
    waiting_ = true;
    asked_.start();
    {
        std::lock_guard<std::mutex> guard(lock_);
        pending_ = Question{number, element, law, std::move(times)};
        stopQuestion_ = true;  // whatever question is being worked out is stale now
    }
    wake_.notify_all();
    return number;
}

void WhatIfRunner::work() {
    for (;;) {
        std::optional<System> system;
        std::optional<Question> question;
        {
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait(guard, [this] {
                return quit_ || newSystem_ || (pending_ && (model_ || refusal_.size()));
            });
            if (quit_) return;
            if (newSystem_) {
                system = std::move(newSystem_);
                newSystem_.reset();
                stopSystem_ = false;
            } else {
                question = std::move(pending_);
                pending_.reset();
                stopQuestion_ = false;
            }
        }
        if (system) {
            takeSystem(*system);
            continue;
        }
        std::optional<WhatIfAnswer> done = answer(*question);
        if (done) deliver(std::move(*done));  // else stopped: a newer question is waiting
    }
}

void WhatIfRunner::deliver(WhatIfAnswer answer) {
    QMetaObject::invokeMethod(
        this,
        [this, done = std::move(answer)]() mutable {
            // A newer question was asked while this one was on its way: it is not shown.
            if (done.question != newest_) return;
            if (!done.meanLifePending) waiting_ = false;
            done.milliseconds = asked_.elapsed();
            emit answered(done);
        },
        Qt::QueuedConnection);
}

void WhatIfRunner::takeSystem(const System& system) {
    model_.reset();
    exact_.reset();
    refusal_.clear();
    base_ = {};
    curveTimes_.clear();
    try {
        auto exact = std::make_shared<const ExactSystem>(system.model, state_);
        // The mean life first: it sets the curve's range when no time does.
        std::optional<analysis::ReliabilityPicture> plain =
            analysis::reliabilityPicture(*exact, {}, {}, stopSystem_);
        if (!plain) return;
        const double end = system.curveEnd > 0 ? system.curveEnd : 2 * plain->meanLife.value;
        curveTimes_ = analysis::curveTimesTo(end > 0 ? end : 1);
        base_.meanLife = plain->meanLife;
        std::optional<std::vector<double>> curve =
            analysis::reliabilitiesAt(*exact, curveTimes_, stopSystem_);
        if (!curve) return;
        base_.curve = std::move(*curve);
        exact_ = std::move(exact);
    } catch (const analysis::TooLargeError& e) {
        refusal_ = QStringLiteral("El sistema es demasiado grande para el cálculo exacto: ") +
                   QString::fromStdString(e.what());
    }
    model_ = system.model;
    // Questions that came meanwhile are answered now.
    std::lock_guard<std::mutex> guard(lock_);
    wake_.notify_all();
}

std::optional<WhatIfAnswer> WhatIfRunner::answer(const Question& question) {
    WhatIfAnswer out;
    out.question = question.number;
    out.times = question.times;
    out.curveTimes = curveTimes_;
    if (!model_ || question.element >= model_->elements.size()) return std::nullopt;
    if (!exact_) {
        out.refusal = refusal_;
        if (model_->arrangement == analysis::Arrangement::Paths) {
            SystemModel changed = *model_;
            changed.elements[question.element].law = question.law;
            const analysis::PathBounds before(*model_), after(changed);
            for (double t : question.times) {
                if (stopQuestion_) return std::nullopt;
                out.boundsBefore.push_back(before.at(t));
                out.boundsAfter.push_back(after.at(t));
            }
        }
        return out;
    }
    out.before = base_;
    std::optional<std::vector<double>> before =
        analysis::reliabilitiesAt(*exact_, question.times, stopQuestion_);
    if (!before) return std::nullopt;
    out.before.atTimes = std::move(*before);
    const ExactSystem changed = exact_->withLaw(question.element, question.law);
    const auto started = std::chrono::steady_clock::now();
    std::optional<std::vector<double>> atTimes =
        analysis::reliabilitiesAt(changed, question.times, stopQuestion_);
    std::optional<std::vector<double>> curve =
        atTimes ? analysis::reliabilitiesAt(changed, curveTimes_, stopQuestion_) : std::nullopt;
    if (!curve) return std::nullopt;
    out.after.atTimes = std::move(*atTimes);
    out.after.curve = std::move(*curve);
    // A large system: R and the curves are shown while the mean life is worked out.
    if (std::chrono::steady_clock::now() - started > kShowBeforeTheMeanLife) {
        WhatIfAnswer first = out;
        first.meanLifePending = true;
        deliver(std::move(first));
    }
    const std::optional<analysis::ReliabilityPicture> mean =
        analysis::reliabilityPicture(changed, {}, {}, stopQuestion_);
    if (!mean) return std::nullopt;
    out.after.meanLife = mean->meanLife;
    return out;
}

}  // namespace farvik
