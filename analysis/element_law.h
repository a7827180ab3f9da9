#pragma once

namespace farvik::analysis {

// The failure-time law of one element as the engine draws it: its distribution code and the
// two parameters it uses, with a lognormal given by its own mean and deviation (code 4)
// already converted to the normal's parameters, as the engine's reader leaves it.
struct ElementLaw {
    int code = 1;
    double p1 = 0;
    double p2 = 0;
};

// What the quadrature and the structure functions need of an element at one time t, the
// time T drawn for it being counted as surviving t when T >= t (as the engine counts it):
//   survival  P(T >= t)
//   failure   P(T < t), computed on its own so that neither loses digits near 0
//   density   -d survival / dt (0 where the law has an atom: see atom())
struct ElementState {
    double survival = 1;
    double failure = 0;
    double density = 0;
};

// The state of a law at time t. The normal is the one the engine draws again while it is
// negative, that is truncated at 0.
ElementState elementState(const ElementLaw& law, double t);

// A law whose time is always the same (a deviation or a scale of 0) has an atom there:
// returns true and sets `at`.
bool atom(const ElementLaw& law, double& at);

// The time at which the survival of a law without an atom falls to q (0 < q < 1).
double survivalQuantile(const ElementLaw& law, double q);

// A function of a law and a time, for the element states: elementState unless a test
// injects another one.
using StateFunction = ElementState (*)(const ElementLaw&, double);

}  // namespace farvik::analysis
