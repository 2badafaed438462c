# The languages of every catalogue, from the one list scripts/update-texts reads too.
file(STRINGS ${PROJECT_SOURCE_DIR}/LINGUAS TORTAMOS_LANGUAGES REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LINGUAS)

# A bundle's translations: each language's po/LANGUAGE.po of the calling folder compiled with
# msgfmt --check into BUNDLE/locale/LANGUAGE/LC_MESSAGES/Localizable.mo, where the foundation's
# localised texts look for them. The .mo files are appended to the list named by OUTPUTS.
function(tortamos_compile_translations OUTPUTS BUNDLE)
  set(outputs ${${OUTPUTS}})
  foreach(language ${TORTAMOS_LANGUAGES})
    set(mo ${BUNDLE}/locale/${language}/LC_MESSAGES/Localizable.mo)
    set(po ${CMAKE_CURRENT_SOURCE_DIR}/po/${language}.po)
    add_custom_command(OUTPUT ${mo}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${BUNDLE}/locale/${language}/LC_MESSAGES
      COMMAND ${MSGFMT_EXECUTABLE} --check -o ${mo} ${po}
      DEPENDS ${po}
      COMMENT "Compiling ${language} translations of ${BUNDLE}")
    list(APPEND outputs ${mo})
  endforeach()
  set(${OUTPUTS} ${outputs} PARENT_SCOPE)
endfunction()
