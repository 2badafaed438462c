# tortamos_add_test(NAME <binary> SOURCES <files...> LIBS <targets...> [PROPERTIES <ctest...>])
# One GoogleTest binary; its cases are registered with CTest one by one, each with the CTest
# properties given (a fixture it needs, say).
function(tortamos_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE tortamos_common_cfg test_support ${T_LIBS}
    GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE
    TORTAMOS_APP_DIR="${TORTAMOS_APP_DIR}"
    TORTAMOS_BIN_DIR="${PROJECT_BINARY_DIR}/bin"
    TORTAMOS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TORTAMOS_BUILD_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANGUAGE=;LC_ALL=C.UTF-8" ${T_PROPERTIES})
endfunction()
