# The Debian package, built by scripts/package with `cpack -G DEB`: everything the install
# rules put under /usr, with the dependencies dpkg-shlibdeps finds in the binaries.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Norvet inc")
set(CPACK_PACKAGE_CONTACT "Norvet inc <velmora@norvet.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "function block diagram editor for small programmable controllers")
# The long description, in lines that fit the 80 columns of the package tools.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Velmora programs the Tarkel family of small controller modules. A module's\n"
    "program is drawn as a function block diagram from a block library, built\n"
    "into a compact image and uploaded to the module over the network, where it\n"
    "is run, stopped and saved in flash. Velmora also administers a module\n"
    "(network parameters, clock, version, calibration) and replaces its firmware\n"
    "through a wizard. The package includes a module simulator for trying it\n"
    "without hardware, and the user manual.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY velmora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Open Manual hands the PDF to the desktop's opener.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

set(CPACK_GENERATOR DEB)
include(CPack)
