# Shared helpers for the project's CMake files.

# Sources of one folder: the portable *.cpp files everywhere, plus win32/*.cpp in the
# Windows builds or native/*.cpp in the native build.
function(qrv_glob_sources out dir)
    file(GLOB portable CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(WIN32)
        file(GLOB platform CONFIGURE_DEPENDS ${dir}/win32/*.cpp)
    else()
        file(GLOB platform CONFIGURE_DEPENDS ${dir}/native/*.cpp)
    endif()
    set(${out} ${portable} ${platform} PARENT_SCOPE)
endfunction()

# The same, recursively, for test folders (any depth; win32/ and native/ anywhere).
function(qrv_glob_tests out dir)
    file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    set(result)
    foreach(f IN LISTS all)
        if(WIN32 AND f MATCHES "/native/")
            continue()
        endif()
        if(NOT WIN32 AND f MATCHES "/win32/")
            continue()
        endif()
        list(APPEND result ${f})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

function(qrv_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(QRV_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
