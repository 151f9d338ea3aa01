# libjpeg-turbo 2.1.5, the jpg decoder: Debian bookworm's source package,
# fetched once into build/libjpeg-turbo by tools/libjpeg-turbo.sh, built here
# as a static library with this build's compiler (MinGW for the programs, the
# native one for the decoder's tests), its SIMD code assembled by nasm.
# Linking the target `libjpeg` brings in the library and its headers.
include(ExternalProject)

set(KANOZE_LIBJPEG_SOURCE ${CMAKE_SOURCE_DIR}/build/libjpeg-turbo/libjpeg-turbo-2.1.5
    CACHE PATH "libjpeg-turbo's source tree, as tools/libjpeg-turbo.sh unpacks it")
if(NOT EXISTS ${KANOZE_LIBJPEG_SOURCE}/jpeglib.h)
  message(FATAL_ERROR "No libjpeg-turbo source in ${KANOZE_LIBJPEG_SOURCE}: run tools/libjpeg-turbo.sh "
                      "(make build, make unit and make dist run it)")
endif()

set(KANOZE_LIBJPEG_BINARY ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(KANOZE_LIBJPEG_LIBRARY ${KANOZE_LIBJPEG_BINARY}/${CMAKE_STATIC_LIBRARY_PREFIX}jpeg${CMAKE_STATIC_LIBRARY_SUFFIX})
# The library alone, without debug information; its source and build folders
# are named by fixed names in the objects, and the symbols naming each
# assembled file's path (nasm writes them) are stripped, so the program's
# bytes do not depend on where the tree lies.
set(libjpeg_flags "-ffile-prefix-map=${KANOZE_LIBJPEG_SOURCE}=libjpeg-turbo")
string(APPEND libjpeg_flags " -ffile-prefix-map=${KANOZE_LIBJPEG_BINARY}=build/libjpeg-turbo")
# Its build string would be the day of the build; Debian's version instead.
set(libjpeg_args
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX=${KANOZE_LIBJPEG_BINARY}/unused
  -DBUILD=debian-2.1.5-2
  -DCMAKE_C_FLAGS=${libjpeg_flags}
  -DENABLE_SHARED=OFF
  -DENABLE_STATIC=ON
  -DWITH_TURBOJPEG=OFF
  -DWITH_SIMD=ON
  -DREQUIRE_SIMD=ON)
if(CMAKE_TOOLCHAIN_FILE)
  get_filename_component(toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
  list(APPEND libjpeg_args -DCMAKE_TOOLCHAIN_FILE=${toolchain})
endif()

ExternalProject_Add(libjpeg_turbo
  SOURCE_DIR ${KANOZE_LIBJPEG_SOURCE}
  BINARY_DIR ${KANOZE_LIBJPEG_BINARY}
  PREFIX ${KANOZE_LIBJPEG_BINARY}-steps
  CMAKE_ARGS ${libjpeg_args}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  COMMAND ${CMAKE_OBJCOPY} --strip-debug ${KANOZE_LIBJPEG_LIBRARY}
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${KANOZE_LIBJPEG_LIBRARY})

add_library(libjpeg STATIC IMPORTED GLOBAL)
# jconfig.h is made in the build folder, the other headers are the source's.
file(MAKE_DIRECTORY ${KANOZE_LIBJPEG_BINARY})
set_target_properties(libjpeg PROPERTIES
  IMPORTED_LOCATION ${KANOZE_LIBJPEG_LIBRARY}
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${KANOZE_LIBJPEG_SOURCE};${KANOZE_LIBJPEG_BINARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${KANOZE_LIBJPEG_SOURCE};${KANOZE_LIBJPEG_BINARY}")
add_dependencies(libjpeg libjpeg_turbo)
