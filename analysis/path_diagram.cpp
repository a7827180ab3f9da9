#include "path_diagram.h"

#include <bdd.h>

#include <algorithm>
#include <ctime>
#include <mutex>
#include <numeric>
#include <unordered_map>

namespace farvik::analysis {
namespace {

// BuDDy keeps one global node table: every use goes through this lock, and the table is
// set up once for the life of the process.
std::mutex& buddyLock() {
    static std::mutex lock;
    return lock;
}

int buddyError = 0;
void recordError(int code) {
    buddyError = code;
}
void quietCollection(int, bddGbcStat*) {}

// Set up for a diagram of at most `maxNodes` nodes. BuDDy's table never shrinks and its
// limit cannot be set below its size: after a larger diagram it starts afresh (no diagram
// of it is alive: each is copied out before the lock is released).
void setUpBuddy(int maxNodes) {
    static bool ready = false;
    if (ready && bdd_getallocnum() > maxNodes) {
        bdd_done();
        ready = false;
    }
    if (ready) return;
    bdd_init(std::min(100000, maxNodes), 10000);
    bdd_error_hook(recordError);
    bdd_gbc_hook(quietCollection);
    bdd_setmaxincrease(1000000);
    bdd_setvarnum(64);
    ready = true;
}

// Leaves BuDDy as the next diagram expects it: no reordering, each variable at its own level.
void resetOrder() {
    bdd_autoreorder(BDD_REORDER_NONE);
    bdd_clrvarblocks();
    std::vector<int> identity(bdd_varnum());
    std::iota(identity.begin(), identity.end(), 0);
    bdd_setvarorder(identity.data());
}

}  // namespace

PathDiagram::PathDiagram(const std::vector<std::vector<int>>& paths, int elements,
                         const Limits& limits)
    : elements_(elements) {
    std::lock_guard<std::mutex> guard(buddyLock());
    setUpBuddy(limits.maxNodes);
    buddyError = 0;
    bdd_clear_error();
    bdd_setmaxnodenum(limits.maxNodes);
    if (elements > bdd_varnum()) bdd_setvarnum(elements);

    std::vector<int> variableOf(elements, -1);
    const std::vector<int> elementOf = pathVariableOrder(paths, elements, limits.order);
    for (std::size_t v = 0; v < elementOf.size(); ++v) variableOf[elementOf[v]] = int(v);
    if (limits.sifting) {
        bdd_varblockall();
        bdd_autoreorder(BDD_REORDER_SIFT);
    }

    const std::clock_t start = std::clock();
    const std::clock_t budget = static_cast<std::clock_t>(limits.seconds * CLOCKS_PER_SEC);
    bool late = false;
    bdd system = bddfalse;
    for (const auto& path : paths) {
        bdd all = bddtrue;
        for (int k : path) all &= bdd_ithvar(variableOf[k]);
        system |= all;
        if (buddyError != 0) break;
        if (std::clock() - start > budget) {
            late = true;
            break;
        }
    }
    if (buddyError != 0 || late) {
        system = bddfalse;
        bdd_gbc();
        buddyError = 0;
        bdd_clear_error();
        if (limits.sifting) resetOrder();
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%g", limits.seconds);
        throw TooLargeError(late ? std::string("el diagrama de los caminos tardaría más de ") +
                                       seconds + " s de procesador en hacerse"
                                 : "el diagrama de los caminos pasaría de " +
                                       std::to_string(limits.maxNodes) + " nodos");
    }

    // Copy the diagram, children first.
    std::unordered_map<int, int> indexOf;  // BuDDy node -> index as a child
    auto copy = [&](auto&& self, const bdd& f) -> int {
        if (f == bddfalse) return 0;
        if (f == bddtrue) return 1;
        const auto found = indexOf.find(f.id());
        if (found != indexOf.end()) return found->second;
        const int low = self(self, bdd_low(f));
        const int high = self(self, bdd_high(f));
        nodes_.push_back({elementOf[bdd_var(f)], low, high});
        const int index = static_cast<int>(nodes_.size()) + 1;
        indexOf.emplace(f.id(), index);
        return index;
    };
    const int root = copy(copy, system);
    constantRoot_ = root == 1;
    if (limits.sifting) {
        system = bddfalse;
        bdd_gbc();
        resetOrder();
    }
}

double PathDiagram::reliability(const double* p, const double* q) const {
    return evaluate(p, q, 0.0, 1.0);
}

// The leaves exchanged: the probability of reaching the false leaf, a sum of products of
// its own, with no difference to lose digits in.
double PathDiagram::unreliability(const double* p, const double* q) const {
    return evaluate(p, q, 1.0, 0.0);
}

double PathDiagram::evaluate(const double* p, const double* q, double whenFalse,
                             double whenTrue) const {
    if (nodes_.empty()) return constantRoot_ ? whenTrue : whenFalse;
    std::vector<double> value(nodes_.size() + 2);
    value[0] = whenFalse;
    value[1] = whenTrue;
    for (std::size_t n = 0; n < nodes_.size(); ++n) {
        const Node& node = nodes_[n];
        value[n + 2] = p[node.element] * value[node.high] + q[node.element] * value[node.low];
    }
    return value.back();
}

// Forward through the table for the value of every node, then back from the root for how
// much the root changes with each node's value; each node adds to the derivative of its
// variable its weight times the difference of its two children.
double PathDiagram::reliabilityAndPartials(const double* p, const double* q, double* d) const {
    // An element that no path needs (every path through it holds another path) has none.
    for (int k = 0; k < elements_; ++k) d[k] = 0;
    if (nodes_.empty()) return constantRoot_ ? 1.0 : 0.0;
    const std::size_t size = nodes_.size() + 2;
    std::vector<double> value(size), weight(size, 0.0);
    value[0] = 0;
    value[1] = 1;
    for (std::size_t n = 0; n < nodes_.size(); ++n) {
        const Node& node = nodes_[n];
        value[n + 2] = p[node.element] * value[node.high] + q[node.element] * value[node.low];
    }
    weight[size - 1] = 1;
    for (std::size_t n = nodes_.size(); n-- > 0;) {
        const Node& node = nodes_[n];
        const double w = weight[n + 2];
        d[node.element] += w * (value[node.high] - value[node.low]);
        weight[node.high] += w * p[node.element];
        weight[node.low] += w * q[node.element];
    }
    return value.back();
}

}  // namespace farvik::analysis
