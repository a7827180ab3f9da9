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

// Lanes of the many-times pass taken through the table together (see reliabilities()):
// eight doubles, one cache line; more gained nothing on 700,000 nodes.
constexpr std::size_t kLanes = 8;

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
    // Each path joins the union of those before it. Joining them by pairs, pairs of pairs
    // and so on builds a diagram that fits a third faster, but its last unions are single
    // operations of seconds where it does not fit, which the time limit cannot cut short.
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
    std::vector<int> levelOf;
    auto copy = [&](auto&& self, const bdd& f) -> int {
        if (f == bddfalse) return 0;
        if (f == bddtrue) return 1;
        const auto found = indexOf.find(f.id());
        if (found != indexOf.end()) return found->second;
        const int low = self(self, bdd_low(f));
        const int high = self(self, bdd_high(f));
        nodes_.push_back({elementOf[bdd_var(f)], low, high});
        levelOf.push_back(bdd_var2level(bdd_var(f)));
        const int index = static_cast<int>(nodes_.size()) + 1;
        indexOf.emplace(f.id(), index);
        return index;
    };
    const int root = copy(copy, system);
    constantRoot_ = root == 1;
    sortByLevel(levelOf);
    if (limits.sifting) {
        system = bddfalse;
        bdd_gbc();
        resetOrder();
    }
}

// The nodes level by level, the deepest first (children stay before their parents, the root
// last), keeping their order within a level. A node's children then lie in the few levels
// below it, near each other in the table, rather than anywhere in it: the passes through
// the table find them in the processor's cache far more often.
void PathDiagram::sortByLevel(const std::vector<int>& levelOf) {
    if (nodes_.empty()) return;
    const int deepest = *std::max_element(levelOf.begin(), levelOf.end());
    std::vector<int> start(deepest + 2, 0);
    for (int level : levelOf) ++start[deepest - level + 1];
    for (int l = 1; l <= deepest + 1; ++l) start[l] += start[l - 1];
    std::vector<int> indexOf(nodes_.size() + 2);  // old index as a child -> new
    indexOf[0] = 0;
    indexOf[1] = 1;
    for (std::size_t n = 0; n < nodes_.size(); ++n) {
        indexOf[n + 2] = 2 + start[deepest - levelOf[n]]++;
    }
    std::vector<Node> sorted(nodes_.size());
    for (std::size_t n = 0; n < nodes_.size(); ++n) {
        const Node& node = nodes_[n];
        sorted[indexOf[n + 2] - 2] = {node.element, indexOf[node.low], indexOf[node.high]};
    }
    nodes_.swap(sorted);
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

// Lanes go through the table in blocks of kLanes: each node's values of a block lie side by
// side, so a visit to a child brings all of them at once (one cache line), where lane by
// lane every pass would visit every child again.
void PathDiagram::reliabilities(const double* p, const double* q, std::size_t elements,
                                std::size_t lanes, double* r) const {
    if (nodes_.empty()) {
        std::fill(r, r + lanes, constantRoot_ ? 1.0 : 0.0);
        return;
    }
    constexpr std::size_t W = kLanes;
    // The nodes' values, kept by the thread from one call to the next: fresh, the table of a
    // large diagram (up to 64 MB) cost more to set up than a pass of 32 times through it.
    thread_local std::vector<double> value;
    if (value.size() < (nodes_.size() + 2) * W) value.resize((nodes_.size() + 2) * W);
    std::vector<double> pw(elements * W), qw(elements * W);
    std::fill(value.begin(), value.begin() + W, 0.0);
    std::fill(value.begin() + W, value.begin() + 2 * W, 1.0);
    for (std::size_t start = 0; start < lanes; start += W) {
        const std::size_t width = std::min(W, lanes - start);
        // A last block that is not full repeats its last lane.
        for (std::size_t k = 0; k < elements; ++k) {
            for (std::size_t w = 0; w < W; ++w) {
                const std::size_t j = start + std::min(w, width - 1);
                pw[k * W + w] = p[k * lanes + j];
                qw[k * W + w] = q[k * lanes + j];
            }
        }
        double* out = value.data() + 2 * W;
        for (const Node& node : nodes_) {
            const double* high = value.data() + node.high * W;
            const double* low = value.data() + node.low * W;
            const double* pe = pw.data() + node.element * W;
            const double* qe = qw.data() + node.element * W;
            for (std::size_t w = 0; w < W; ++w) out[w] = pe[w] * high[w] + qe[w] * low[w];
            out += W;
        }
        const double* root = value.data() + (nodes_.size() + 1) * W;
        std::copy(root, root + width, r + start);
    }
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
