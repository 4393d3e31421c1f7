# The Debian package, built by CPack's DEB generator (tools/package):
# lenscout_<version>_amd64.deb with the program, lenscout-cli, the icons, the
# desktop entry, the AppStream metainfo and the manual pages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lenscout)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lenscout developers")
set(CPACK_PACKAGE_CONTACT "The Lenscout developers <developers@lenscout.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find the IP cameras on the local network and set them up")
set(CPACK_PACKAGE_DESCRIPTION
"Lenscout finds the IP cameras on every network interface by UDP
broadcast, with or without a gateway, and keeps a live list of every camera
that answers. From the list it opens a camera's web page, shows its basic
properties, changes its network settings and uploads new system firmware
or web interface images.
.
lenscout-cli does the same from scripts: scan as JSON, set the network of
one camera, and upload an image to many cameras at once.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LENSCOUT_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which no library link names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The Chinese fonts, and Qt's Wayland platform for Wayland sessions (Qt
# falls back to X11 without it, where the window loses the shell's icon).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# What the package puts under /etc is the administrator's to edit.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/conffiles "/etc/ufw/applications.d/lenscout\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/conffiles)
include(CPack)
