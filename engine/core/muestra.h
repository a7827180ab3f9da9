#pragma once

#include "aleat.h"
#include "system_data.h"

namespace brenta {

// Polar-method deviates; n below 1 leaves t unchanged (the engine always passes 1).
void normal_polar(Generator& g, int n, double mean, double sd, double& t);
void lognormal_polar(Generator& g, int n, double mu, double sigma, double& t);

// Failure time of element (j, i) by its distribution code; a code outside 1..5 leaves t.
void muestra(Generator& g, const SystemData& s, int j, int i, double& t);

// Distribution 4 is given by the mean m and standard deviation d of T; the engine draws it
// as a lognormal of the normal's parameters. Converts both in place.
void convertLognormal(double& m, double& d);

}  // namespace brenta
