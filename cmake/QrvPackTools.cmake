# Packs the tools for integrators, run by the tools_package target of the x86_64 build:
#   cmake -DNAME=<package name> -DTEXTSDB=<exe> -DOBJCOPY=<objcopy> -DSOURCE_DIR=<source folder>
#         -DOUT=<folder> -P QrvPackTools.cmake
# Makes OUT/NAME.zip with the folder NAME: textsdb.exe, which reads and writes the texts
# database, and the integrator's guide, which says how to use it. Reproducible as
# QrvPackage.cmake says.
include(${CMAKE_CURRENT_LIST_DIR}/QrvPackage.cmake)

set(folder ${OUT}/${NAME})
file(REMOVE_RECURSE ${folder} ${OUT}/${NAME}.zip)
file(MAKE_DIRECTORY ${folder})
qrv_pack_program(${TEXTSDB} ${folder}/textsdb.exe)
qrv_pack_guide(${folder})
qrv_zip(${OUT} ${NAME} ${NAME}/textsdb.exe ${NAME}/README.txt)
