# `cmake --install` and `cmake --build <dir> --target package` (a Debian package by
# CPack). The programs look for SLGJ.DAT and ybdwg.dat beside themselves, then in
# ../share/heatnet: keep bin/ and share/heatnet/ side by side.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(HEATNET_SHARE share/heatnet)

install(TARGETS heatnet-calc RUNTIME DESTINATION bin)
if(HEATNET_GUI)
  install(TARGETS heatnet RUNTIME DESTINATION bin)
endif()
install(FILES ${HEATNET_RESOURCES} DESTINATION ${HEATNET_SHARE})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${HEATNET_SHARE}/examples
  FILES_MATCHING PATTERN "*.TXT")

# The menu entry, its icon and the software-centre description.
install(FILES ${CMAKE_SOURCE_DIR}/resources/heatnet.desktop DESTINATION share/applications)
configure_file(${CMAKE_SOURCE_DIR}/resources/io.github.heatnet.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/package/io.github.heatnet.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/io.github.heatnet.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/heatnet-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME heatnet.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/heatnet.svg DESTINATION share/icons/hicolor/scalable/apps)

# Manual pages, compressed as Debian wants them: -n leaves out name and time, so
# the same page gives the same bytes.
# The package's changelog goes the same way.
set(HEATNET_COMPRESSED)
foreach(source docs/man/heatnet.1.in docs/man/heatnet-calc.1.in resources/changelog.in)
  get_filename_component(name ${source} NAME_WLE)
  set(page ${CMAKE_BINARY_DIR}/package/${name})
  configure_file(${CMAKE_SOURCE_DIR}/${source} ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz COMMAND gzip -9nkf ${page} DEPENDS ${page} VERBATIM)
  list(APPEND HEATNET_COMPRESSED ${page}.gz)
endforeach()
add_custom_target(heatnet_compressed_docs ALL DEPENDS ${HEATNET_COMPRESSED})
list(POP_BACK HEATNET_COMPRESSED changelog)
install(FILES ${HEATNET_COMPRESSED} DESTINATION share/man/man1)
install(FILES ${changelog} ${CMAKE_SOURCE_DIR}/resources/copyright DESTINATION share/doc/heatnet)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME heatnet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "heatnet maintainers <maintainers@users.noreply.c-seed-3b237854.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hydraulic design of hot-water district-heating networks")
# Lines of the long description stay under 80 characters, as Debian asks.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "heatnet calculates a hot-water district-heating network from a basic data"
  "file: it converts node heat loads into flows, solves the network for segment"
  "flows and node pressures, selects standard pipe diameters within the allowed"
  "specific friction loss and writes the calculation report, a DXF"
  "water-pressure diagram, an optional workbook and the data file with the"
  "selected diameters."
  "."
  "The program and its reports are in Simplified Chinese. It comes as a Qt"
  "desktop program (heatnet) and a batch command (heatnet-calc).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
