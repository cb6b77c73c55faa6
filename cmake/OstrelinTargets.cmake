# Our own code builds with strict warnings treated as errors; third-party headers come in as
# system includes so that their warnings never stop the build.
function(ostrelin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Woverloaded-virtual -Werror)
endfunction()

# ostrelin_library(NAME SOURCES ... [LIBS ...]): a static library of ours with src/ as include root.
function(ostrelin_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  ostrelin_warnings(${name})
endfunction()

# ostrelin_test(NAME SOURCES ... [LIBS ...]): a GoogleTest executable registered with CTest.
# Tests run on Qt's offscreen platform and never touch the user's real configuration.
function(ostrelin_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(NOT "ostrelin_test_qt_main" IN_LIST ARG_LIBS)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  ostrelin_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OSTRELIN_BUILD_DIR=${PROJECT_BINARY_DIR};OSTRELIN_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               TIMEOUT 300)
endfunction()
