# GoogleTest for the Windows builds, built once from Debian's sources for every test folder
# that includes this file. Sets QRV_GTEST to the libraries to link.
if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # Test code: not optimised (its compile took the longest of a build), no debug information.
    foreach(library gtest gtest_main gmock gmock_main)
        target_compile_options(${library} PRIVATE -O0)
    endforeach()
endif()
set(QRV_GTEST gtest gmock)
