# Where the package puts things. The client loads its lock library and language packs
# from its own folder, so they go together into one program folder.
include(GNUInstallDirs)
set(ORVAN_PROGRAM_DIR "lib/orvanclient" CACHE STRING "Program folder, under the prefix")

install(TARGETS orvanclient orvan-guard orvan-preseed RUNTIME DESTINATION ${ORVAN_PROGRAM_DIR})
install(TARGETS winlock LIBRARY DESTINATION ${ORVAN_PROGRAM_DIR} NAMELINK_SKIP)
file(GLOB ORVAN_LANGUAGE_PACKS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/lang/*.lang)
install(FILES ${ORVAN_LANGUAGE_PACKS} DESTINATION ${ORVAN_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/orvan-kiosk-session DESTINATION ${ORVAN_PROGRAM_DIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/messages ${PROJECT_SOURCE_DIR}/data/pictures
        DESTINATION ${CMAKE_INSTALL_DATADIR}/orvanclient)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvanclient-kiosk.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xsessions)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvanclient.desktop
        DESTINATION ${CMAKE_INSTALL_SYSCONFDIR}/xdg/autostart)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/50-orvanclient-hardening.conf
        DESTINATION ${CMAKE_INSTALL_SYSCONFDIR}/X11/xorg.conf.d)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/50-orvanclient.conf
        DESTINATION ${CMAKE_INSTALL_SYSCONFDIR}/sysctl.d)
install(FILES ${PROJECT_SOURCE_DIR}/docs/man/orvanclient.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
