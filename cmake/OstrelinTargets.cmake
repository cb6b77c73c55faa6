# Our own code builds with strict warnings; third-party headers come in as system includes so
# that their warnings never show. Developer and CI builds (scripts/build.sh) make every warning an
# error; a user's or a packager's build with another compiler only shows them.
option(OSTRELIN_WERROR "Treat every warning in Ostrelin's own code as an error" OFF)
function(ostrelin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Woverloaded-virtual)
  if(OSTRELIN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# ostrelin_library(NAME SOURCES ... [LIBS ...]): a static library of ours with src/ as include root.
function(ostrelin_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  ostrelin_warnings(${name})
endfunction()

# ostrelin_test_executable(NAME SOURCES ... [LIBS ...]): a GoogleTest executable of ours, with src/
# and tests/ as include roots; registering its tests with CTest is left to the caller.
function(ostrelin_test_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(NOT "ostrelin_test_qt_main" IN_LIST ARG_LIBS)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  ostrelin_warnings(${name})
endfunction()

# ostrelin_with_cups_test(NAME): registers NAME.with_cups, the executable's tests named *WithCups*
# run together against a private CUPS scheduler of their own (tests/platform/printing/with-private-cups.sh).
function(ostrelin_with_cups_test name)
  add_test(NAME ${name}.with_cups
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/platform/printing/with-private-cups.sh
                   $<TARGET_FILE:${name}> --gtest_filter=*WithCups*)
  set_tests_properties(${name}.with_cups PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# ostrelin_test(NAME SOURCES ... [LIBS ...] [WITH_CUPS]): a GoogleTest executable registered with
# CTest. Tests run on Qt's offscreen platform and never touch the user's real configuration. With
# WITH_CUPS its tests named *WithCups* are not discovered one by one but run as NAME.with_cups.
function(ostrelin_test name)
  cmake_parse_arguments(ARG "WITH_CUPS" "" "SOURCES;LIBS" ${ARGN})
  ostrelin_test_executable(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS})
  set(filter "*")
  if(ARG_WITH_CUPS)
    set(filter "-*WithCups*")
    ostrelin_with_cups_test(${name})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_FILTER "${filter}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OSTRELIN_BUILD_DIR=${PROJECT_BINARY_DIR};OSTRELIN_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               TIMEOUT 300)
endfunction()

# ostrelin_gzip(TARGET FILE...): a target of the default build that keeps a copy of each FILE
# compressed as Debian wants documentation (gzip at its highest level, no time stamp) in this
# folder's binary folder; sets TARGET_FILES to the compressed copies.
function(ostrelin_gzip target)
  set(outputs)
  foreach(source IN LISTS ARGN)
    get_filename_component(source ${source} ABSOLUTE)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(
      OUTPUT ${copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
      COMMAND gzip -9nf ${copy}
      DEPENDS ${source}
      COMMENT "Compressing ${name}"
      VERBATIM
    )
    list(APPEND outputs ${copy}.gz)
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
  set(${target}_FILES ${outputs} PARENT_SCOPE)
endfunction()
