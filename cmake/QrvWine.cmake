# The Wine test bench: one fresh prefix and one Xvfb display per ctest run, booted once by
# a setup fixture and torn down by a cleanup fixture. Every Wine test requires the fixture.
# Both Windows builds run on the same kind of bench (a 64-bit prefix with its 32-bit side);
# each build's ctest run has a bench of its own, so the two can run at the same time.
set(QRV_WINE_STATE ${CMAKE_BINARY_DIR}/winebench.state)
set(QRV_WINE_BENCH ${CMAKE_SOURCE_DIR}/tests/win/bench)
# The architecture of this build's programs, which the bench's prefix must run.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QRV_WINE_ARCH x86_64)
else()
    set(QRV_WINE_ARCH i686)
endif()

if(NOT QRV_WINE_FIXTURE_DEFINED)
    set(QRV_WINE_FIXTURE_DEFINED ON)
    add_test(NAME winebench_up COMMAND ${QRV_WINE_BENCH}/up.sh ${QRV_WINE_STATE} ${QRV_WINE_ARCH})
    set_tests_properties(winebench_up PROPERTIES FIXTURES_SETUP winebench TIMEOUT 180
        LABELS "wine;${QRV_DIST_NAME}")
    add_test(NAME winebench_down COMMAND ${QRV_WINE_BENCH}/down.sh ${QRV_WINE_STATE})
    set_tests_properties(winebench_down PROPERTIES FIXTURES_CLEANUP winebench TIMEOUT 60
        LABELS "wine;${QRV_DIST_NAME}")
endif()

# qrv_add_wine_test(NAME name COMMAND exe args... [DESKTOP] [TIMEOUT s] [WORKING_DIRECTORY dir])
# DESKTOP marks tests that start the program or show windows: they run one at a time.
# Every Wine test carries the labels "wine" and the build's name (win64, win32).
function(qrv_add_wine_test)
    cmake_parse_arguments(T "DESKTOP" "NAME;TIMEOUT;WORKING_DIRECTORY" "COMMAND" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(NOT T_WORKING_DIRECTORY)
        set(T_WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    endif()
    add_test(NAME ${T_NAME}
        COMMAND ${QRV_WINE_BENCH}/run.sh ${QRV_WINE_STATE} ${T_COMMAND}
        WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED winebench TIMEOUT ${T_TIMEOUT}
        LABELS "wine;${QRV_DIST_NAME}")
    if(T_DESKTOP)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK wine_desktop)
    endif()
endfunction()
