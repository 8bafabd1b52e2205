# What the Windows build takes from the Debian machine that builds it.

# CLI11 is header-only, but Debian installs it into /usr/include, which a
# cross compiler must never search: glibc's headers would shadow its own.
# A folder of the build holds a link to CLI11's headers alone.
find_path(QUORLITH_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(cli11_link_dir ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${cli11_link_dir})
file(CREATE_LINK ${QUORLITH_CLI11_INCLUDE}/CLI ${cli11_link_dir}/CLI SYMBOLIC)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${cli11_link_dir})

# GoogleTest built for Windows from the sources Debian's googletest package
# ships; nothing is downloaded.
if(QUORLITH_TESTS)
  set(QUORLITH_GTEST_SOURCE /usr/src/googletest CACHE PATH
      "GoogleTest sources for the Windows build")
  if(NOT EXISTS ${QUORLITH_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in "
                        "${QUORLITH_GTEST_SOURCE} (package googletest)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUORLITH_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL)
endif()

# Test programs run under Wine, in a prefix of their own inside the build.
set(QUORLITH_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh
                      ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORLITH_WINE_RUN})

# The whole core suite as one test: Wine starts in about a second, too
# slow to start once per test case. Under a virtual display, as a console
# of Wine needs one to keep its text. The time zone is five hours behind
# UTC so that the conversion to local time shows in the date tests.
function(quorlith_add_wine_tests)
  add_test(NAME core_tests
           COMMAND xvfb-run -a ${QUORLITH_WINE_RUN} $<TARGET_FILE:core_tests>
                   --gtest_brief=1)
  set_tests_properties(core_tests PROPERTIES ENVIRONMENT TZ=EST5
                       TIMEOUT 600 RESOURCE_LOCK wine_prefix)
endfunction()

# Both programs and the test programs side by side, as the zip has them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
