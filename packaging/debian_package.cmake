# `make package`: a Debian package of what `cmake --install` puts in place, installed under
# /usr. Its dependencies are worked out from the libraries the installed programs link
# (dpkg-shlibdeps), plus what they load at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qdx)
set(CPACK_PACKAGE_VENDOR "Calorix Software")
set(CPACK_PACKAGE_CONTACT "QDX maintainers <maintainers@qdx.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chilled water cooling coil rating and sizing")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "QDX rates and sizes chilled-water cooling coils for HVAC designers: a desktop program, "
    "headless qdx subcommands for scripts, and qdx-aerograph, a psychrometric chart of the "
    "coil's air process.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QDX_BUILD_APP)
  # The windowing platform plugins, which Qt loads at start-up.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
include(CPack)
