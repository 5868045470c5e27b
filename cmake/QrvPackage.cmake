# What packing a release package takes, for the packing scripts (cmake -P): QrvPackProgram.cmake
# and QrvPackTools.cmake. Needs SOURCE_DIR (the source folder) and OBJCOPY.
#
# The same sources give the same bytes: the entries are in a fixed order with fixed
# permissions, and every time in the zip file and a program's time stamp are that of the
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

# objcopy gives a program the time stamp SOURCE_DATE_EPOCH when it is set, else the time of day.
set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${OBJCOPY})

# qrv_pack_program(FROM TO [OPTION...]): a program as it ships, TO from FROM without its
# symbols; the options go to objcopy as well.
function(qrv_pack_program from to)
    run(${objcopy} --strip-all ${ARGN} ${from} ${to})
    file(CHMOD ${to} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
        WORLD_READ WORLD_EXECUTE)
endfunction()

# qrv_pack_file(FILE...): a file that is read, not run.
function(qrv_pack_file)
    file(CHMOD ${ARGN} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

# qrv_pack_guide(FOLDER): the integrator's guide docs/README.txt as FOLDER/README.txt, with the
# CRLF line ends that every Notepad shows as lines.
function(qrv_pack_guide folder)
    file(READ ${SOURCE_DIR}/docs/README.txt guide)
    string(REPLACE "\n" "\r\n" guide "${guide}")
    file(WRITE ${folder}/README.txt "${guide}")
    qrv_pack_file(${folder}/README.txt)
endfunction()

# qrv_zip(OUT NAME ENTRY...): OUT/NAME.zip with the entries (paths below OUT) in this order.
function(qrv_zip out name)
    list(JOIN ARGN "\n" entries)
    file(WRITE ${out}/${name}.files "${entries}\n")
    # The zip file's own times are local ones: in UTC they are the same wherever it is made.
    run(${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} TZ=UTC
        ${CMAKE_COMMAND} -E chdir ${out}
        ${CMAKE_COMMAND} -E tar cf ${name}.zip --format=zip --files-from=${name}.files)
    file(REMOVE ${out}/${name}.files)
endfunction()
