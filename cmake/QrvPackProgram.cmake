# Packs the ready-to-copy program folder of a Windows build, run by the program_package target:
#   cmake -DNAME=<package name> -DPROGRAM=<exe> -DTEXTS=<mdb> -DOBJCOPY=<objcopy>
#         -DSOURCE_DIR=<source folder> -DOUT=<folder> -P QrvPackProgram.cmake
# Makes OUT/NAME.zip with the folder NAME: the program without its debug information and the
# texts database. The debug information goes to OUT/symbols/NAME/QRV3DOVEravar.exe.debug,
# which the program names in its debug link, so a debugger finds it beside the program.
#
# The same sources give the same bytes: the entries are in a fixed order with fixed
# permissions, and every time in the zip file and the program's time stamp are that of the
# commit (SOURCE_DATE_EPOCH when it is set, as the reproducible-builds convention has it).
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${result}): ${error}")
    endif()
endfunction()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR epoch STREQUAL "")
        set(epoch 315532800) # not a git checkout: the earliest time a zip file holds, 1980
    endif()
endif()

set(folder ${OUT}/${NAME})
set(symbols ${OUT}/symbols/${NAME})
file(REMOVE_RECURSE ${folder} ${symbols} ${OUT}/${NAME}.zip)
file(MAKE_DIRECTORY ${folder}/data/tables/ado ${symbols})

set(program ${folder}/QRV3DOVEravar.exe)
set(debug ${symbols}/QRV3DOVEravar.exe.debug)
# objcopy gives the program the time stamp SOURCE_DATE_EPOCH when it is set, else the time of
# day. The debug link holds the file's name and checksum; objcopy reads it from the file given.
set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${OBJCOPY})
run(${objcopy} --only-keep-debug ${PROGRAM} ${debug})
run(${objcopy} --strip-all --add-gnu-debuglink=${debug} ${PROGRAM} ${program})
file(COPY_FILE ${TEXTS} ${folder}/data/tables/ado/QRV3RUN_2K.mdb)

file(CHMOD ${program} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(CHMOD ${folder}/data/tables/ado/QRV3RUN_2K.mdb ${debug} PERMISSIONS OWNER_READ OWNER_WRITE
    GROUP_READ WORLD_READ)
file(WRITE ${OUT}/${NAME}.files "${NAME}/QRV3DOVEravar.exe\n${NAME}/data/tables/ado/QRV3RUN_2K.mdb\n")
# The zip file's own times are local ones: in UTC they are the same wherever it is made.
run(${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} TZ=UTC
    ${CMAKE_COMMAND} -E chdir ${OUT}
    ${CMAKE_COMMAND} -E tar cf ${NAME}.zip --format=zip --files-from=${NAME}.files)
file(REMOVE ${OUT}/${NAME}.files)
