#include "partials_table.h"

#include <algorithm>

namespace farvik::analysis {
namespace {

// Beyond this many values (128 MiB) the table starts afresh rather than grow.
constexpr std::size_t kMostValues = std::size_t(1) << 24;

}  // namespace

PartialsTable::Row PartialsTable::row(double t) {
    const std::size_t n = system_.model().elements.size();
    auto found = rowOf_.find(t);
    if (found == rowOf_.end()) {
        if (values_.size() + 4 * n > kMostValues) {
            rowOf_.clear();
            values_.clear();
            reliability_.clear();
        }
        d_.resize(n);
        system_.elementStates(t, p_, q_, &f_);
        const double r =
            system_.structure().reliabilityAndPartials(p_.data(), q_.data(), d_.data());
        const std::size_t index = reliability_.size();
        values_.insert(values_.end(), d_.begin(), d_.end());
        values_.insert(values_.end(), p_.begin(), p_.end());
        values_.insert(values_.end(), q_.begin(), q_.end());
        values_.insert(values_.end(), f_.begin(), f_.end());
        reliability_.push_back(r);
        found = rowOf_.emplace(t, index).first;
    }
    const double* base = values_.data() + found->second * 4 * n;
    return {base, base + n, base + 2 * n, base + 3 * n, reliability_[found->second]};
}

}  // namespace farvik::analysis
