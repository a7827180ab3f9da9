# The Debian package: `cpack -G DEB` in the build folder gives farvik_VERSION_ARCH.deb with
# what `cmake --install` installs under /usr. The libraries it needs are found by
# dpkg-shlibdeps; Qt's Spanish texts and a font are named here, as no library pulls them in.
set(CPACK_PACKAGE_NAME farvik)
set(CPACK_PACKAGE_VENDOR "Farvik")
set(CPACK_PACKAGE_CONTACT "Farvik <farvik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Monte Carlo study of the reliability of technical systems")
set(CPACK_PACKAGE_DESCRIPTION
    "farvik edits system descriptions (elements, their failure-time distributions and how \
they are arranged), runs the brenta engine on them and shows, plots and prints the mean \
life, the reliability at chosen times, the causes of failure, a reliability table and a \
redundancy study.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
