# The Debian package, made by CPack from the install rules: `cpack -G DEB` in the build
# folder, or scripts/package.sh for a Release build.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME snapdeck)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Snapdeck developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drive a camera tethered to this computer")
# Wrapped as a Debian description is; CPack indents the lines and dots the empty one.
set(CPACK_PACKAGE_DESCRIPTION [[
Snapdeck drives one digital camera connected by USB, or by Wi-Fi through
PTP/IP, from one window in Russian or English: the camera's settings, zoom
and focus, preview and live view, capture, interval shooting inside a
schedule, and the upload of every picture to an FTP or HTTP server or to
S3-compatible storage. Every file is written whole, and a
picture leaves the camera's card only once it is safely on disk.

Without a window, snapdeck --station=FILE runs an unattended time-lapse or
webcam station as a systemd service, as the system user snapdeck. Real
cameras are driven through libgphoto2; a simulated camera is built in.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(SNAPDECK_PACKAGE_MAINTAINER "The Snapdeck developers <snapdeck@users.noreply.invalid>"
    CACHE STRING "The Debian package's Maintainer field")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SNAPDECK_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps finds the libraries (Qt, libgphoto2, libcurl, libsystemd); the maintainer
# scripts need adduser for the station's user.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/prerm
    ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian wants a changelog beside the copyright; its date honours SOURCE_DATE_EPOCH.
string(TIMESTAMP SNAPDECK_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
  COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/debian/changelog.Debian
  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian
  VERBATIM)
add_custom_target(snapdeck_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz DESTINATION ${SNAPDECK_DOC_DIR})

# Only the package: a source archive comes from git.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
