# The Debian package: `cpack -G DEB` in a build folder configured with -DCMAKE_INSTALL_PREFIX=/usr
# (tools/package.sh). Two packages: lotmark (the program, lotmark-cli, libscrivel and their
# files) and libscrivel-dev (Scrivel's headers and CMake package).
set(CPACK_PACKAGE_NAME lotmark)
set(CPACK_PACKAGE_VENDOR "The Lotmark developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LOTMARK_PACKAGE_MAINTAINER})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL lotmark dev)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LOTMARK_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SOURCE lotmark)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_LOTMARK_PACKAGE_NAME lotmark)
set(CPACK_DEBIAN_LOTMARK_PACKAGE_SECTION science)
# Qt loads its SQLite driver as a plugin, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_LOTMARK_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# The property sheet names Arial and Times New Roman; these fonts have their metrics.
set(CPACK_DEBIAN_LOTMARK_PACKAGE_RECOMMENDS "fonts-liberation2")
# libscrivel lies in the linker's search path: ldconfig must run once dpkg has unpacked it.
set(CPACK_DEBIAN_LOTMARK_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
set(CPACK_COMPONENT_LOTMARK_DESCRIPTION "cadastral documentation of a property
Lotmark helps an authorised land surveyor prepare the cadastral documentation
of one property: address, owners, parcels, buildings, the surveyed contours of
the land and of its buildings, a sketch drawn to scale, the binary .CP property
file and the property sheet in Rich Text Format. Its texts are Romanian.

The package also holds lotmark-cli, a command-line tool for batch work on
property documents, and Scrivel, the library that writes the sheet.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libscrivel-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "lotmark (= ${PROJECT_VERSION}), qt6-base-dev")
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
set(CPACK_COMPONENT_DEV_DESCRIPTION "RTF composer and image buffer of Lotmark - development files
Scrivel composes RTF documents and holds pictures as device-independent
bitmaps. This package holds its C++ headers and its CMake package
(find_package(Scrivel), then link Scrivel::scrivel).")

include(CPack)
