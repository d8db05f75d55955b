# What `cmake --install` puts where, relative to the prefix (/usr in the Debian package):
# the program, its menu entry, icon, metainfo and manual page, the station's example
# configuration and service, the licence, and the translations once there are any.
include(GNUInstallDirs)

set(SNAPDECK_APP_ID io.snapdeck.Snapdeck)
set(SNAPDECK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/snapdeck)
set(SNAPDECK_SYSTEMD_UNIT_DIR lib/systemd/system
    CACHE STRING "Where the station's systemd unit is installed, under the prefix")

install(TARGETS snapdeck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES data/${SNAPDECK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${SNAPDECK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the drawing itself, and the sizes menus and panels look for, drawn from it
# at build time.
set(iconSvg ${PROJECT_SOURCE_DIR}/data/icons/${SNAPDECK_APP_ID}.svg)
install(FILES ${iconSvg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(SNAPDECK_ICON_SIZES 16 32 48 64 128 256)
set(dataFiles "")
find_program(SNAPDECK_RSVG_CONVERT rsvg-convert)
if(SNAPDECK_RSVG_CONVERT)
  foreach(size IN LISTS SNAPDECK_ICON_SIZES)
    set(iconDir ${PROJECT_BINARY_DIR}/icons/${size}x${size})
    add_custom_command(OUTPUT ${iconDir}/${SNAPDECK_APP_ID}.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${iconDir}
      COMMAND ${SNAPDECK_RSVG_CONVERT} -w ${size} -h ${size} -o ${iconDir}/${SNAPDECK_APP_ID}.png
              ${iconSvg}
      DEPENDS ${iconSvg}
      COMMENT "Drawing the ${size}x${size} icon"
      VERBATIM)
    list(APPEND dataFiles ${iconDir}/${SNAPDECK_APP_ID}.png)
    install(FILES ${iconDir}/${SNAPDECK_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert (librsvg2-bin) is missing: only the SVG icon is installed; "
                  "scripts/install-deps.sh installs it")
endif()

# The manual page carries the version, and is installed compressed as Debian wants it.
configure_file(data/snapdeck.1 ${PROJECT_BINARY_DIR}/man/snapdeck.1 @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/snapdeck.1.gz
  COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/man/snapdeck.1
  DEPENDS ${PROJECT_BINARY_DIR}/man/snapdeck.1
  VERBATIM)
list(APPEND dataFiles ${PROJECT_BINARY_DIR}/man/snapdeck.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/man/snapdeck.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

add_custom_target(snapdeck_data ALL DEPENDS ${dataFiles})

# The station: its example configuration, and its service when the tree has one.
install(FILES packaging/station.ini.example DESTINATION ${SNAPDECK_DOC_DIR}/examples)
set(SNAPDECK_STATION_UNIT ${PROJECT_SOURCE_DIR}/packaging/snapdeck-station.service)
if(EXISTS ${SNAPDECK_STATION_UNIT})
  install(FILES ${SNAPDECK_STATION_UNIT} DESTINATION ${SNAPDECK_SYSTEMD_UNIT_DIR})
else()
  set(SNAPDECK_STATION_UNIT "")
endif()

# The licence, where Debian looks for it, and the README.
install(FILES LICENSE DESTINATION ${SNAPDECK_DOC_DIR} RENAME copyright)
install(FILES README.md DESTINATION ${SNAPDECK_DOC_DIR})

# Translations: the program reads its .qm files from share/snapdeck/translations. The
# translations' build names the files it makes in the property QM_FILES of its target
# snapdeck_translations; failing that, whatever .qm files Qt's lrelease left in the
# build's translations/ folder are taken.
set(SNAPDECK_TRANSLATIONS_DIR ${CMAKE_INSTALL_DATADIR}/snapdeck/translations)
set(SNAPDECK_HAS_TRANSLATIONS OFF)
if(TARGET snapdeck_translations)
  get_target_property(qmFiles snapdeck_translations QM_FILES)
  if(qmFiles)
    install(FILES ${qmFiles} DESTINATION ${SNAPDECK_TRANSLATIONS_DIR})
    set(SNAPDECK_HAS_TRANSLATIONS ON)
  endif()
endif()
if(NOT SNAPDECK_HAS_TRANSLATIONS AND (TARGET snapdeck_lrelease OR TARGET release_translations))
  install(CODE "
    file(GLOB qmFiles \"${PROJECT_BINARY_DIR}/translations/*.qm\")
    if(qmFiles)
      file(INSTALL \${qmFiles}
           DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${SNAPDECK_TRANSLATIONS_DIR}\")
    endif()")
  set(SNAPDECK_HAS_TRANSLATIONS ON)
endif()
