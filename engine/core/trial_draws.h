#pragma once

#include <cstdint>
#include <vector>

#include "aleat.h"
#include "system_data.h"
#include "trial.h"

namespace brenta {

// A trial's draws split in two steps, so that the random stream can be walked on one
// thread while the costly transforms run on others:
//   drawRaw() walks the stream for one trial and keeps, per draw, only what the transform
//     needs: the accepted uniform (exponential, Weibull) or the accepted polar attempt x1 and
//     s (lognormal, normal). A normal time below 0 is drawn again: mostly a bound on the
//     deviate shows that it cannot be, else the time is worked out here as well;
//   transform() turns them into the trial's times exactly as drawTrial() does.
// Every rejection is decided in drawRaw(), from the same values and by the same
// expressions as drawTrial(), so the stream and the times are the same to the bit.
class TrialDraws {
  public:
    explicit TrialDraws(const SystemData& s);

    // False when some element's distribution code is outside 1..5 (its time would be the
    // one of the trial before, which only drawTrial() on one state keeps).
    bool supported() const { return supported_; }
    // The raw values one trial takes.
    int rawPerTrial() const { return rawPerTrial_; }

    void drawRaw(Generator& g, double* raw) const;
    // Fills tel (and tdup; class 5 also tclave and tdclave) from one trial's raw values.
    void transform(const double* raw, TrialState& st) const;

  private:
    enum Target : std::uint8_t { kTel, kTdup, kTclave, kTdclave };
    struct Slot {
        int code;
        Target target;
        int index;  // into the target's storage
        double p1, p2;
        // Normal: the attempts with (1 - s) * spread < s * level give a time above 0.
        double spread, level;
    };
    static bool surelyNotNegative(const Slot& slot, double x1, double s);

    const SystemData& s_;
    std::vector<Slot> slots_;  // in the order of the stream
    int rawPerTrial_ = 0;
    bool supported_ = true;
};

}  // namespace brenta
