# How the project's code is compiled: what is optimised, what carries debug information, the
# precompiled headers, the compiler cache and the flags that make a build independent of its
# folder and its time. Included by the top CMakeLists.txt before any target is made.
#
# What reads debug information decides where it is made: the program's own code in the Windows
# builds (the symbols package that comes with a release), and the sanitizers' reports (line
# tables). Nothing reads that of the tests, the tools or the native build. Test code is not
# optimised: it runs for seconds, and compiling it at -O2 took twice as long.

# ccache, where it is installed, keeps compiled objects across builds and build folders: a
# second run after a change compiles only what changed. Paths under the source folder are
# hashed relative to it, so another clone of the project finds the same objects.
find_program(QRV_CCACHE ccache)
if(QRV_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER AND NOT DEFINED ENV{CCACHE_DISABLE})
    # Precompiled headers need the two sloppinesses (ccache's manual, "Precompiled headers").
    # The depend mode takes the headers a file includes from the compiler's dependency file
    # instead of running the preprocessor first, and the inode cache hashes each header once:
    # an object that is not in the cache yet costs about a sixth more, not a third.
    # The prefix map below names the source folder, but every clone maps its own to ".", so
    # the option is left out of the hash like the folder itself.
    set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
        CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        CCACHE_DEPEND=1 CCACHE_INODECACHE=1 CCACHE_IGNOREOPTIONS=-ffile-prefix-map=*
        ${QRV_CCACHE})
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()

# The optimisation of the build type, without its debug information: that is added per target.
foreach(lang C CXX)
    foreach(type RELWITHDEBINFO DEBUG)
        string(REGEX REPLACE "(^| )-g( |$)" " " CMAKE_${lang}_FLAGS_${type}
            "${CMAKE_${lang}_FLAGS_${type}}")
    endforeach()
endforeach()

# No build folder and no time of the build inside what is built: the folders become relative
# to the source folder, and a Windows program or library carries no link time stamp.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
endif()

# A release build is made so that the same sources give the same bytes. It has no precompiled
# headers: one is a dump of the compiler's memory that differs from build to build, and so
# does the debug information of the code compiled with it.
option(QRV_REPRODUCIBLE "A release build: no precompiled headers" OFF)

# The program's own code: its debug information where something reads it (the symbols of a
# release from the Windows builds, line tables for the sanitizers' reports).
function(qrv_program_code target)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL INTERFACE_LIBRARY)
        return()
    endif()
    if(QRV_SANITIZE)
        target_compile_options(${target} PRIVATE -gline-tables-only)
    elseif(WIN32)
        target_compile_options(${target} PRIVATE -g)
    endif()
    qrv_precompiled_headers(${target} PRODUCT)
endfunction()

# Headers that most files include, parsed once per build: the standard library's, the
# system's in the Windows builds, and GoogleTest for the tests. Every file of a build sees
# windows.h then, whose macros rename some names (GetObject becomes GetObjectW): the same
# everywhere, so a test calls what the program's code defines.
set(QRV_PRODUCT_HEADERS <algorithm> <array> <cstdint> <functional> <map> <memory> <optional>
    <span> <stdexcept> <string> <string_view> <utility> <vector>)
if(WIN32)
    list(APPEND QRV_PRODUCT_HEADERS <windows.h> <commctrl.h>)
endif()
set(QRV_TOOL_HEADERS ${QRV_PRODUCT_HEADERS})
set(QRV_GTEST_HEADERS ${QRV_PRODUCT_HEADERS} <gtest/gtest.h> <gmock/gmock.h>)

# qrv_precompiled_headers(target PRODUCT|GTEST|TOOL): the target's files start with the headers
# of their kind. The program's layers and the driver's targets, which define nothing of their
# own, reuse those of the first target of their kind. A test program defines its paths, and a
# precompiled header is only used with the definitions it was made with, so each test program
# has its own; so has every target where clang, which insists on that more, compiles.
function(qrv_precompiled_headers target kind)
    if(QRV_REPRODUCIBLE)
        return()
    endif()
    get_property(owner GLOBAL PROPERTY QRV_PCH_OWNER_${kind})
    if(owner AND NOT kind STREQUAL GTEST AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
        target_precompile_headers(${target} PRIVATE ${QRV_${kind}_HEADERS})
        set_property(GLOBAL PROPERTY QRV_PCH_OWNER_${kind} ${target})
    endif()
endfunction()

# qrv_test_code(target [NO_PCH] [TOOL]): test code, that is the tests, the driver, the test
# programs and libraries and the simulated library. TOOL: code without GoogleTest. Those of a
# few files get no precompiled headers: making them costs more than it saves. The GoogleTest
# programs compile their test files eight to a unit: what each file instantiates again of
# GoogleTest's templates is made once per eight files, which halves their compile time.
function(qrv_test_code target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "NO_PCH;TOOL" "" "")
    target_compile_options(${target} PRIVATE -O0)
    if(arg_TOOL)
        set(kind TOOL)
    else()
        set(kind GTEST)
    endif()
    if(NOT arg_NO_PCH)
        qrv_precompiled_headers(${target} ${kind})
        if(kind STREQUAL GTEST)
            set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
        endif()
    endif()
endfunction()
