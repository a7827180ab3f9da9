# The Debian package: `cpack -G DEB` in the build folder gives farvik_VERSION_ARCH.deb with
# what `cmake --install` installs under /usr. The libraries it needs are found by
# dpkg-shlibdeps; Qt's Spanish texts and a font are named here, as no library pulls them in.
set(CPACK_PACKAGE_NAME farvik)
set(CPACK_PACKAGE_VENDOR "Farvik")
# The project has no mail address yet, and an invented one would mislead: the package names
# its developers without an address (lintian's override says so) until it has one.
set(CPACK_PACKAGE_CONTACT "The Farvik developers")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Farvik developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Monte Carlo study of the reliability of technical systems")
# The long description, under the summary as its synopsis: lines under 80 columns (CPack
# indents them and writes a blank line as " .").
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Farvik simulates systems of components that fail, each with its own
time-to-failure distribution (exponential, Weibull, lognormal, normal),
arranged in series, in parallel, series-parallel, parallel-series, or as a
general system given by its paths.

From a seed and a number of trials it estimates the mean life and its
standard error, the reliability at chosen times, which component caused each
failure, a reliability and failure-rate table with graphs, and a redundancy
study: the mean life with each component duplicated. Exact values, computed
without simulation, check every run.

The package holds farvik, the graphical front end (Qt 6, in Spanish), brenta,
the console engine that writes the result files, fiabilidad_exacta, the exact
analysis, their manual pages, the user manual and one example per structure.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the build: folders 755, files 644, programs 755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
