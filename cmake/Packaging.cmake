# The Debian package: `cmake --build BUILD --target package`. Nothing goes to the root of the file
# system. /usr/lib/tortamos holds the libraries of the OS stand-in (lib/, a folder of their own,
# so no one takes them for system libraries that need ldconfig), the device tools (bin/), and
# the device image (device/: the application, the home screen, the agent, their resources and
# sounds, as a device lays them out). The commands in /usr/bin are links to one launcher, which
# gives each user a device of their own and starts the program on it; packaging/README says how.
set(lib_dir usr/lib/tortamos)
set(image_dir ${lib_dir}/device)
set(app_dir ${image_dir}/Applications/Tortamos.app)
set(staged ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS Tortamos RUNTIME DESTINATION ${app_dir})
install(TARGETS tortamos_application LIBRARY DESTINATION ${app_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/app/ ${PROJECT_SOURCE_DIR}/resources/images/
        DESTINATION ${app_dir})
install(DIRECTORY ${TORTAMOS_APP_DIR}/locale DESTINATION ${app_dir})

set(contacts_app_dir ${image_dir}/Applications/Contacts.app)
install(TARGETS Contacts RUNTIME DESTINATION ${contacts_app_dir})
install(TARGETS contacts_application LIBRARY DESTINATION ${contacts_app_dir})
install(FILES ${PROJECT_SOURCE_DIR}/os/contactsapp/Info.plist ${PROJECT_SOURCE_DIR}/os/contactsapp/icon.png
        DESTINATION ${contacts_app_dir})
install(DIRECTORY ${CONTACTS_APP_DIR}/locale DESTINATION ${contacts_app_dir})

install(TARGETS SpringBoard RUNTIME DESTINATION ${image_dir}/System/Library/CoreServices/SpringBoard.app)
install(FILES ${PROJECT_SOURCE_DIR}/os/springboard/Info.plist ${SPRINGBOARD_APP_DIR}/icon.png
        DESTINATION ${image_dir}/System/Library/CoreServices/SpringBoard.app)
install(DIRECTORY ${SPRINGBOARD_APP_DIR}/locale DESTINATION ${image_dir}/System/Library/CoreServices/SpringBoard.app)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/SystemVersion
        DESTINATION ${image_dir}/System/Library/CoreServices)
install(TARGETS tortamos_dylib LIBRARY DESTINATION ${image_dir}/Library/DynamicLibraries)
install(FILES ${PROJECT_SOURCE_DIR}/resources/sounds/birthday.wav
              ${PROJECT_SOURCE_DIR}/resources/sounds/trick.aif
        DESTINATION ${image_dir}/var/mobile/Library/Tortamos)

# Installed as targets, so their search path is the installed library folder, never the build
# tree's. The services library is found on the device at the path older systems name.
install(TARGETS os_foundation os_notify os_runtime os_audio os_audio_backend os_addressbook os_uikit
                springboard_services
        LIBRARY DESTINATION ${lib_dir}/lib)
install(TARGETS contacts notifyutil RUNTIME DESTINATION ${lib_dir}/bin)

file(MAKE_DIRECTORY ${staged}/UIKit.framework ${staged}/bin ${staged}/man)
file(CREATE_LINK ../../../../../lib/libSpringBoardServices.so ${staged}/UIKit.framework/UIKit SYMBOLIC)
install(FILES ${staged}/UIKit.framework/UIKit DESTINATION ${image_dir}/System/Library/Frameworks/UIKit.framework)
# The device's own texts, kept beside the toolkit.
install(DIRECTORY ${UIKIT_FRAMEWORK_DIR}/locale DESTINATION ${image_dir}/System/Library/Frameworks/UIKit.framework)

configure_file(${PROJECT_SOURCE_DIR}/packaging/launch.in ${staged}/launch @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
install(PROGRAMS ${staged}/launch DESTINATION ${lib_dir})
set(commands tortamos tortamos-springboard tortamos-contacts tortamos-contacts-app)
foreach(command IN LISTS commands)
  file(CREATE_LINK ../lib/tortamos/launch ${staged}/bin/${command} SYMBOLIC)
  install(FILES ${staged}/bin/${command} DESTINATION usr/bin)
  if(NOT command STREQUAL tortamos)
    file(CREATE_LINK tortamos.1.gz ${staged}/man/${command}.1.gz SYMBOLIC)
    install(FILES ${staged}/man/${command}.1.gz DESTINATION usr/share/man/man1)
  endif()
endforeach()

# The desktop: a menu entry for each program, the home screen started at login in the background
# (its entry starts nothing once the package is removed), the icon at every size and scalable.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tortamos.desktop
              ${PROJECT_SOURCE_DIR}/packaging/tortamos-springboard.desktop
              ${PROJECT_SOURCE_DIR}/packaging/tortamos-contacts-app.desktop
        DESTINATION usr/share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tortamos-springboard-autostart.desktop DESTINATION etc/xdg/autostart
        RENAME tortamos-springboard.desktop)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/packaging/icons/ DESTINATION usr/share/icons/hicolor
        FILES_MATCHING PATTERN "tortamos.*")
# The Contacts application's menu entry shows the icon its home screen shows.
install(FILES ${PROJECT_SOURCE_DIR}/os/contactsapp/icon.png DESTINATION usr/share/icons/hicolor/128x128/apps
        RENAME tortamos-contacts-app.png)

# Compressed the way Debian wants them: best compression, no name or time stamp inside.
set(compressed)
foreach(file IN ITEMS tortamos.1 changelog)
  add_custom_command(OUTPUT ${staged}/${file}.gz
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/${file} > ${staged}/${file}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file} VERBATIM)
  list(APPEND compressed ${staged}/${file}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})
install(FILES ${staged}/tortamos.1.gz DESTINATION usr/share/man/man1)
install(FILES ${staged}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION usr/share/doc/tortamos)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tortamos)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tortamos developers <tortamos@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "birthday reminder with a phone-like home screen")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tortamos takes the birthdays from its address book and shows them in three
lists: the birthdays still to come this year, all birthdays by month and
everyone by name, with age, zodiac sign and the days left. A person's screen
calls, mails or texts them.

A home screen, started at login, carries the Tortamos agent: it keeps the
icon badge at the number of birthdays today and, at the time of day you
choose, shows an alert, also sent to the desktop's notifications, and plays
a chime. Each user has a device of their own under ~/.local/share/tortamos;
tortamos-contacts imports and exports vCard files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries are worked out from the programs; sqlite3 makes a new device's settings file.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/lib)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "sqlite3, fonts-liberation2")
# The portal's platform theme lets Qt's file dialog be the desktop's chooser (Contacts' import)
# where QT_QPA_PLATFORMTHEME=xdgdesktopportal or a sandbox asks for it; Qt's translations put
# its own words in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, qt6-xdgdesktopportal-platformtheme, qt6-translations-l10n")
# A desktop rarely opens sms: and tel: URLs itself; KDE Connect texts and calls through the
# user's own phone.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "kdeconnect")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
