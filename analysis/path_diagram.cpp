#include "path_diagram.h"

#include <bdd.h>

#include <mutex>
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

void setUpBuddy() {
    static bool ready = false;
    if (ready) return;
    bdd_init(100000, 10000);
    bdd_error_hook(recordError);
    bdd_gbc_hook(quietCollection);
    bdd_setmaxincrease(1000000);
    bdd_setvarnum(64);
    ready = true;
}

}  // namespace

PathDiagram::PathDiagram(const std::vector<std::vector<int>>& paths, int elements, int maxNodes)
    : elements_(elements) {
    std::lock_guard<std::mutex> guard(buddyLock());
    setUpBuddy();
    buddyError = 0;
    bdd_clear_error();
    bdd_setmaxnodenum(maxNodes);
    if (elements > bdd_varnum()) bdd_setvarnum(elements);

    // Variables in the order the paths first name the elements: elements named together
    // stay close, which keeps the diagram of paths that share elements small.
    std::vector<int> variableOf(elements, -1), elementOf;
    for (const auto& path : paths) {
        for (int k : path) {
            if (variableOf[k] < 0) {
                variableOf[k] = static_cast<int>(elementOf.size());
                elementOf.push_back(k);
            }
        }
    }

    bdd system = bddfalse;
    for (const auto& path : paths) {
        bdd all = bddtrue;
        for (int k : path) all &= bdd_ithvar(variableOf[k]);
        system |= all;
        if (buddyError != 0) break;
    }
    if (buddyError != 0) {
        system = bddfalse;
        bdd_gbc();
        buddyError = 0;
        bdd_clear_error();
        throw TooLargeError("el diagrama de los caminos pasaría de " + std::to_string(maxNodes) +
                            " nodos");
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
