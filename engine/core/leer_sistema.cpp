#include "leer_sistema.h"

#include "distributions.h"
#include "system_file.h"

namespace brenta {

SystemData leer_sistema(std::istream& in, const std::string& fileName) {
    // The reading rules are shared with the front end; the engine takes the values into its
    // own tables and converts the parameters of a distribution that is drawn by others (the
    // lognormal of code 4 into the normal of its logarithm).
    const farvik::SystemFile f = farvik::readSystemFile(in, fileName);
    SystemData s;
    s.ntotal = f.ntotal;
    s.itipo = f.itipo;
    s.iredun = f.iredun;
    s.kclase = f.kclase;
    s.nsub = f.nsub;
    s.nelsub = f.nelsub;
    s.nel = f.nel;
    s.ncam = f.ncam;
    s.nelcam = f.nelcam;
    s.iclave = f.iclave;
    for (int p = 1; p < static_cast<int>(f.icam.size()); ++p) {
        const auto& keys = f.icam[static_cast<std::size_t>(p)];
        for (std::size_t m = 0; m < keys.size(); ++m) s.icam(static_cast<int>(m) + 1, p) = keys[m];
    }
    s.ndim = f.ndim;
    s.idist = f.idist;
    s.par = f.par;
    s.iseed = f.iseed;
    s.nsim = f.nsim;
    for (std::size_t e = 0; e < s.idist.size(); ++e) {
        const farvik::Distribution* d = farvik::findDistribution(s.idist[e]);
        if (d && d->toDrawn) d->toDrawn(s.par[3 * e], s.par[3 * e + 1]);
    }
    return s;
}

}  // namespace brenta
