# Installation of both programs and a Debian package made by CPack:
#   cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release && cmake --build build-pkg && cpack -G DEB
# (scripts/package does exactly this).  Paths are relative to the prefix, /usr in the package.
include(GNUInstallDirs)

set(ZAVETRA_DATI ${PROJECT_SOURCE_DIR}/data)

install(TARGETS zavetra kestrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# <prefix>/share/zavetra always exists: the programs recognise an installed copy by it and then
# keep their data in the user's folder.
install(DIRECTORY DESTINATION ${CMAKE_INSTALL_DATADIR}/zavetra)
if(EXISTS ${PROJECT_SOURCE_DIR}/esempi)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/esempi/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zavetra/esempi
          FILES_MATCHING PATTERN "*.iei")
endif()

install(FILES ${ZAVETRA_DATI}/zavetra.desktop ${ZAVETRA_DATI}/kestrin.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZAVETRA_DATI}/it.voviva.zavetra.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the hand-drawn SVG and the PNG sizes rendered from it (rsvg-convert -w N -h N).
foreach(icona zavetra kestrin)
  install(FILES ${ZAVETRA_DATI}/icons/${icona}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(lato 16 24 32 48 64 128 256)
    install(FILES ${ZAVETRA_DATI}/icons/${lato}x${lato}/${icona}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lato}x${lato}/apps)
  endforeach()
endforeach()

# Manual pages, compressed as Debian expects (-n: no name or time stamp, so the build repeats).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(pagine_man)
foreach(programma zavetra kestrin)
  set(pagina ${CMAKE_BINARY_DIR}/man/${programma}.1.gz)
  add_custom_command(OUTPUT ${pagina}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND ${GZIP_PROGRAM} -9n -c ${ZAVETRA_DATI}/man/${programma}.1 > ${pagina}
                     DEPENDS ${ZAVETRA_DATI}/man/${programma}.1 VERBATIM)
  list(APPEND pagine_man ${pagina})
endforeach()
add_custom_target(pagine_man ALL DEPENDS ${pagine_man})
install(FILES ${pagine_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zavetra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Voviva)
set(CPACK_PACKAGE_CONTACT "Sviluppatori di Zavetra <zavetra@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pianificazione dei viaggi in camper")
set(CPACK_PACKAGE_DESCRIPTION
    "Zavetra pianifica i lunghi viaggi in camper: la mèta, l'itinerario tappa per tappa, la guida
delle città e il programma di viaggio calcolato giorno per giorno, stampato con il frontespizio e
le caratteristiche del viaggio. Kestrin stampa le pagine del diario di bordo per il periodo del
viaggio.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printouts fall back to Times New Roman, whose metric twin this package provides.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
