# The Wine test bench: a prefix and an Xvfb display per ctest run, set up by a setup fixture
# and torn down by a cleanup fixture. Every Wine test requires the fixture.
# The x86_64 build's bench is a 64-bit prefix without its 32-bit side; the i686 build's one has
# it. Each build's ctest run has a bench of its own, so the two can run at the same time.
# No bench boots: each copies the prefix that tests/win/bench/prefix_image.sh booted once for
# this machine. Further benches (another DPI, a colour theme, a share of the end-to-end tests)
# have a display of their own, and the tests on different benches run side by side. The tests
# that show windows on one bench run one at a time.
set(QRV_WINE_STATE ${CMAKE_BINARY_DIR}/winebench.state)
set(QRV_WINE_BENCH ${CMAKE_SOURCE_DIR}/tests/win/bench)
# The architecture of this build's programs, which the bench's prefix must run.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QRV_WINE_ARCH x86_64)
else()
    set(QRV_WINE_ARCH i686)
endif()

# A bench's boot is waited for, not raced: the machine's first boot of an x86_64 prefix takes
# seconds and waits on no 32-bit process (tests/win/bench/boot_prefix.sh), an i686 one starts a
# few 32-bit processes, minutes of CPU where they are emulated. The limit only stops a boot that
# hangs.
set(QRV_WINE_BOOT_TIMEOUT 1800)

if(NOT QRV_WINE_FIXTURE_DEFINED)
    set(QRV_WINE_FIXTURE_DEFINED ON)
    add_test(NAME winebench_up
        COMMAND ${QRV_WINE_BENCH}/up.sh --from-image ${QRV_WINE_STATE} ${QRV_WINE_ARCH})
    set_tests_properties(winebench_up PROPERTIES FIXTURES_SETUP winebench
        TIMEOUT ${QRV_WINE_BOOT_TIMEOUT} LABELS "wine;${QRV_DIST_NAME}")
    add_test(NAME winebench_down COMMAND ${QRV_WINE_BENCH}/down.sh ${QRV_WINE_STATE})
    set_tests_properties(winebench_down PROPERTIES FIXTURES_CLEANUP winebench TIMEOUT 60
        LABELS "wine;${QRV_DIST_NAME}")
endif()

# qrv_add_wine_bench(NAME UP_ARGUMENTS...): a bench of its own, made by up.sh from a copy of
# the prefix the first bench copied, with these arguments after its state file and the
# architecture, for
# the tests that name it with qrv_add_wine_test(... BENCH name).
function(qrv_add_wine_bench name)
    set(state ${CMAKE_BINARY_DIR}/winebench-${name}.state)
    add_test(NAME winebench_${name}_up
        COMMAND ${QRV_WINE_BENCH}/up.sh --from ${QRV_WINE_STATE} ${state} ${QRV_WINE_ARCH} ${ARGN})
    set_tests_properties(winebench_${name}_up PROPERTIES FIXTURES_SETUP winebench_${name}
        FIXTURES_REQUIRED winebench TIMEOUT ${QRV_WINE_BOOT_TIMEOUT}
        LABELS "wine;${QRV_DIST_NAME}")
    add_test(NAME winebench_${name}_down COMMAND ${QRV_WINE_BENCH}/down.sh ${state})
    set_tests_properties(winebench_${name}_down PROPERTIES FIXTURES_CLEANUP winebench_${name}
        TIMEOUT 60 LABELS "wine;${QRV_DIST_NAME}")
endfunction()

# qrv_add_wine_dpi_bench(DPI): a bench whose display has that DPI (LogPixels of its fresh
# prefix), for the tests that name it with qrv_add_wine_test(... DPI n).
function(qrv_add_wine_dpi_bench dpi)
    qrv_add_wine_bench(dpi${dpi} ${dpi})
endfunction()

# qrv_add_wine_test(NAME name COMMAND exe args... [DESKTOP] [TIMEOUT s] [WORKING_DIRECTORY dir]
#                   [EMULATED_TIMEOUT s] [RUN script] [DPI n] [BENCH name]
#                   [ENVIRONMENT var=value...])
# DESKTOP marks tests that start the program or show windows: they run one at a time on their
# bench.
# Every Wine test carries the labels "wine" and the build's name (win64, win32).
# EMULATED_TIMEOUT puts the test of the i686 build in the set that runs where i686 programs
# are emulated (label i686-emulated, `ctest -L i686-emulated` in scripts/emulated_i686.sh),
# with that time limit instead of TIMEOUT. RUN replaces tests/win/bench/run.sh as the
# command that gets the bench's state file and then COMMAND. DPI runs the test on the bench of
# qrv_add_wine_dpi_bench(n), BENCH on that of qrv_add_wine_bench(name), instead of the build's
# 96-DPI one.
function(qrv_add_wine_test)
    cmake_parse_arguments(T "DESKTOP"
        "NAME;TIMEOUT;WORKING_DIRECTORY;EMULATED_TIMEOUT;RUN;DPI;BENCH"
        "COMMAND;ENVIRONMENT" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(NOT T_WORKING_DIRECTORY)
        set(T_WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    endif()
    if(NOT T_RUN)
        set(T_RUN ${QRV_WINE_BENCH}/run.sh)
    endif()
    set(labels "wine;${QRV_DIST_NAME}")
    if(T_EMULATED_TIMEOUT AND QRV_WINE_ARCH STREQUAL i686)
        set(T_TIMEOUT ${T_EMULATED_TIMEOUT})
        list(APPEND labels i686-emulated)
    endif()
    set(state ${QRV_WINE_STATE})
    set(fixture winebench)
    if(T_DPI)
        set(T_BENCH dpi${T_DPI})
    endif()
    if(T_BENCH)
        set(state ${CMAKE_BINARY_DIR}/winebench-${T_BENCH}.state)
        set(fixture winebench_${T_BENCH})
    endif()
    add_test(NAME ${T_NAME}
        COMMAND ${T_RUN} ${state} ${T_COMMAND}
        WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED ${fixture} TIMEOUT ${T_TIMEOUT}
        LABELS "${labels}")
    if(T_DESKTOP)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK ${fixture}_desktop)
    endif()
    if(T_ENVIRONMENT)
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
endfunction()
