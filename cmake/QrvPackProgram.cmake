# Packs the ready-to-copy program folder of a Windows build, run by the program_package target:
#   cmake -DNAME=<package name> -DPROGRAM=<exe> -DTEXTS=<mdb> -DOBJCOPY=<objcopy>
#         -DSOURCE_DIR=<source folder> -DOUT=<folder> -P QrvPackProgram.cmake
# Makes OUT/NAME.zip with the folder NAME: the program without its debug information, the
# integrator's guide and the texts database. The debug information goes to
# OUT/symbols/NAME/QRV3DOVEravar.exe.debug, which the program names in its debug link, so a
# debugger finds it beside the program. Reproducible as QrvPackage.cmake says.
include(${CMAKE_CURRENT_LIST_DIR}/QrvPackage.cmake)

set(folder ${OUT}/${NAME})
set(symbols ${OUT}/symbols/${NAME})
file(REMOVE_RECURSE ${folder} ${symbols} ${OUT}/${NAME}.zip)
file(MAKE_DIRECTORY ${folder}/data/tables/ado ${symbols})

set(program ${folder}/QRV3DOVEravar.exe)
set(debug ${symbols}/QRV3DOVEravar.exe.debug)
# The debug link holds the file's name and checksum; objcopy reads it from the file given.
run(${objcopy} --only-keep-debug ${PROGRAM} ${debug})
qrv_pack_program(${PROGRAM} ${program} --add-gnu-debuglink=${debug})
qrv_pack_guide(${folder})
file(COPY_FILE ${TEXTS} ${folder}/data/tables/ado/QRV3RUN_2K.mdb)
qrv_pack_file(${folder}/data/tables/ado/QRV3RUN_2K.mdb ${debug})

qrv_zip(${OUT} ${NAME} ${NAME}/QRV3DOVEravar.exe ${NAME}/README.txt
    ${NAME}/data/tables/ado/QRV3RUN_2K.mdb)
