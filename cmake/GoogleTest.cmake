# GoogleTest for the tests, without gmock: the installed package where the
# target has one (Debian's libgtest-dev, for native builds), else built from
# the sources that Debian's googletest package puts in /usr/src, which is
# what the Windows cross builds use.
find_package(GTest QUIET)
if(TARGET GTest::gtest AND TARGET GTest::gtest_main)
  return()
endif()

set(BRIMVALE_GTEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's sources, for targets without an installed GoogleTest")
if(NOT EXISTS ${BRIMVALE_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest not found: install it (Debian: googletest), point "
                      "BRIMVALE_GTEST_SOURCE at its sources, or configure with -DBRIMVALE_TESTS=OFF.")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${BRIMVALE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# mingw-w64's win32 thread model has no std::mutex, which GoogleTest's
# Notification alone needs; the tests see the same definitions through the
# gtest target (tests/support/UGTestThreads.h).
if(WIN32)
  target_compile_options(gtest PUBLIC
    "$<$<CXX_COMPILER_ID:GNU,Clang>:SHELL:-include ${PROJECT_SOURCE_DIR}/tests/support/UGTestThreads.h>")
endif()
