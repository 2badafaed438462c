# The Debian package: `cmake --build BUILD --target package`. Everything lands at its device
# path, the device being the machine's own root: the application, the home screen, the agent
# and the libraries of the OS stand-in. The post-install step puts the settings file in place in
# the older layout when there is none, then runs `Tortamos -updateDB`.
set(app_dir Applications/Tortamos.app)
set(os_lib_dir usr/lib/tortamos)

install(TARGETS Tortamos RUNTIME DESTINATION ${app_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/app/ ${PROJECT_SOURCE_DIR}/resources/images/
        DESTINATION ${app_dir})
install(DIRECTORY ${TORTAMOS_APP_DIR}/locale DESTINATION ${app_dir})

install(TARGETS SpringBoard RUNTIME DESTINATION System/Library/CoreServices/SpringBoard.app)
install(FILES ${PROJECT_SOURCE_DIR}/os/springboard/Info.plist
        DESTINATION System/Library/CoreServices/SpringBoard.app)
install(FILES $<TARGET_FILE:springboard_services>
        DESTINATION System/Library/Frameworks/UIKit.framework RENAME UIKit)
install(TARGETS tortamos_dylib LIBRARY DESTINATION Library/DynamicLibraries)

install(TARGETS os_foundation os_notify os_runtime os_audio os_audio_backend os_addressbook os_uikit
        LIBRARY DESTINATION ${os_lib_dir})
install(TARGETS contacts notifyutil RUNTIME DESTINATION usr/bin)

install(FILES ${PROJECT_SOURCE_DIR}/resources/sounds/birthday.wav
              ${PROJECT_SOURCE_DIR}/resources/sounds/trick.aif
        DESTINATION var/mobile/Library/Tortamos)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/SystemVersion
        DESTINATION System/Library/CoreServices)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tortamos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tortamos developers <tortamos@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Birthday reminder: birthday lists, icon badge and daily alert")
set(CPACK_PACKAGING_INSTALL_PREFIX /)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "sqlite3, libsqlite3-0, libicu72, libqt6widgets6, libqt6gui6, libqt6core6, libsndfile1, libasound2, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
