# The Debian package (cpack -G DEB, or scripts/package): everything
# `cmake --install` puts under /usr, with the libraries it needs found by
# dpkg-shlibdeps. The desktop's caches (menu entries, file types, icons) are
# brought up to date by the triggers of the packages that own them, so the
# package has no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quenwick developers")
set(CPACK_PACKAGE_CONTACT "The Quenwick developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer of navigation menus for web sites")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The user guide and "open in browser" go through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "designer of navigation menus for web sites
 Quenwick builds a site's navigation menu as a tree of folders, pages and
 columns and writes it as one JavaScript file that draws a click-to-open tree
 menu or a mouse-over drop-down menu, with a sample page and a site map.
 .
 The package holds the designer (quenwick) and the command-line tool
 (quenwick-cli) that runs the same jobs in a site's build.")
include(CPack)
