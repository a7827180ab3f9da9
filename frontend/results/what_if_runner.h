#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "reliability_bounds.h"
#include "what_if.h"

namespace farvik {

// One answer of "¿Y si...?": the system as it stands and the system with one element's law
// changed, side by side. Where the system is out of reach of the exact analysis, only the
// bounds of R at the times (before and after) are given, with the reason.
struct WhatIfAnswer {
    quint64 question = 0;
    std::vector<double> times;
    analysis::ReliabilityPicture before;
    analysis::ReliabilityPicture after;
    std::vector<double> curveTimes;
    // R at the times and the curves come first, where the mean life takes long: then an
    // answer without it (after.meanLife not yet worked out) comes before the whole one.
    bool meanLifePending = false;
    QString refusal;  // not empty: the system is too large; only the bounds hold
    std::vector<analysis::ReliabilityBounds> boundsBefore, boundsAfter;  // at `times`
    qint64 milliseconds = 0;  // from the question to the answer
};

// Works out "¿Y si...?" apart from the user interface: the system as it stands once (its
// decision diagram, mean life and curve), then every question on it, a changed law of one
// element. Only the newest question counts: a question asked while another is worked out
// stops that one, and an answer that is not to the newest question is never given.
class WhatIfRunner : public QObject {
    Q_OBJECT
  public:
    // `state` gives each element's survival (a test may slow it down).
    explicit WhatIfRunner(analysis::StateFunction state = analysis::elementState,
                          QObject* parent = nullptr);
    ~WhatIfRunner() override;  // stops the work and waits for it

    // The system as it stands; the questions asked before it is worked out wait for it.
    // The curves run from 0 to `curveEnd` (the run's largest time) or to twice the mean
    // life, whichever is later.
    void setSystem(analysis::SystemModel model, double curveEnd = 0);
    // Element `element` (of the model's) with `law`, R at `times`. Returns the question's
    // number; its answer comes by answered() unless a newer question is asked first.
    quint64 ask(std::size_t element, const analysis::ElementLaw& law, std::vector<double> times);
    quint64 newestQuestion() const { return newest_; }
    // The newest question's whole answer has not come yet.
    bool working() const { return waiting_; }

  signals:
    void answered(const farvik::WhatIfAnswer& answer);

  private:
    struct Question {
        quint64 number = 0;
        std::size_t element = 0;
        analysis::ElementLaw law;
        std::vector<double> times;
    };
    struct System {
        analysis::SystemModel model;
        double curveEnd = 0;
    };
    // Worker side.
    void work();
    void takeSystem(const System& system);
    std::optional<WhatIfAnswer> answer(const Question& question);
    // Hands an answer to the interface's thread, which drops it if a newer question came.
    void deliver(WhatIfAnswer answer);

    analysis::StateFunction state_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::optional<System> newSystem_;
    std::optional<Question> pending_;
    bool quit_ = false;
    std::atomic<bool> stopSystem_{false};
    std::atomic<bool> stopQuestion_{false};

    // Only the worker touches these.
    std::optional<analysis::SystemModel> model_;
    std::shared_ptr<const analysis::ExactSystem> exact_;
    analysis::ReliabilityPicture base_;
    std::vector<double> curveTimes_;
    QString refusal_;

    // Only the interface thread touches these.
    quint64 newest_ = 0;
    bool waiting_ = false;
    QElapsedTimer asked_;

    std::thread worker_;
};

}  // namespace farvik
