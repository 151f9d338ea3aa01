# The release zip of one Windows program: kanoze.exe, the demo folder and the
# players' read-mes (Japanese and English), packed by CPack. `make dist`
# builds both.
#
# The zip holds no kanoze.txt or sound.txt, so unpacking a new version over
# an old one leaves a player's lists and best times alone.

# Notepad on a Japanese Windows opens a text without a byte order mark as
# code page 932 with CR LF lines; the read-me is kept in UTF-8 and turned
# into that form here. The English read-me is plain ASCII, which Notepad
# reads alike on every Windows.
set(KANOZE_README ${CMAKE_BINARY_DIR}/generated/readme.txt)
set(KANOZE_README_EN ${CMAKE_BINARY_DIR}/generated/readme-en.txt)
add_custom_command(OUTPUT ${KANOZE_README}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/cp932_text.py ${CMAKE_SOURCE_DIR}/docs/readme.ja.txt ${KANOZE_README}
    ${PROJECT_VERSION}
  DEPENDS ${CMAKE_SOURCE_DIR}/docs/readme.ja.txt ${CMAKE_SOURCE_DIR}/tools/cp932_text.py
  VERBATIM)
add_custom_command(OUTPUT ${KANOZE_README_EN}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/cp932_text.py ${CMAKE_SOURCE_DIR}/docs/readme.en.txt ${KANOZE_README_EN}
    ${PROJECT_VERSION} ascii
  DEPENDS ${CMAKE_SOURCE_DIR}/docs/readme.en.txt ${CMAKE_SOURCE_DIR}/tools/cp932_text.py
  VERBATIM)
add_custom_target(kanoze_readme DEPENDS ${KANOZE_README} ${KANOZE_README_EN})

# `make dist` builds kanoze.exe and the read-me itself; packing does not
# build the test programs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
# CPack packs the files of one component in the order the file system lists
# them, which differs between machines; components are packed in the order
# of their names. So each file is a component of its own, named by its
# place in the zip with three digits, so that entry010 follows entry009.
# The demo folder ships whole, in the order of its names.
install(TARGETS kanoze RUNTIME DESTINATION . COMPONENT entry001)
install(FILES ${KANOZE_README} DESTINATION . COMPONENT entry002)
install(FILES ${KANOZE_README_EN} DESTINATION . COMPONENT entry003)
file(GLOB KANOZE_DEMO_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/demo/*)
list(SORT KANOZE_DEMO_FILES)
set(entry 4)
foreach(file IN LISTS KANOZE_DEMO_FILES)
  string(LENGTH "00${entry}" digits)
  math(EXPR skip "${digits} - 3")
  string(SUBSTRING "00${entry}" ${skip} 3 component)
  install(FILES ${file} DESTINATION demo COMPONENT entry${component})
  math(EXPR entry "${entry} + 1")
endforeach()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(KANOZE_PLATFORM win64)
else()
  set(KANOZE_PLATFORM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kanoze)
set(CPACK_PACKAGE_VENDOR Kanoze)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME kanoze-${PROJECT_VERSION}-${KANOZE_PLATFORM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
# Players need no debug information.
set(CPACK_STRIP_FILES TRUE)
# Every entry gets the same time, so the same commit packs to the same bytes.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/FixedEntryTimes.cmake)
include(CPack)
