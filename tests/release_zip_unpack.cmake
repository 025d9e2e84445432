# Unpacks the release zip onto drive C: of the tests' Wine prefix, as a user would, and
# checks that it gives the one folder FOLDER (relative to C:) with what the read-me lists.
# Arguments: ZIP, FOLDER.
cmake_minimum_required(VERSION 3.20)
if(NOT DEFINED ENV{QUILLET_WINEPREFIX})
    message(FATAL_ERROR "source scripts/wine-env.sh BUILD_DIR first")
endif()
get_filename_component(into "$ENV{QUILLET_WINEPREFIX}/drive_c/${FOLDER}" DIRECTORY)
file(REMOVE_RECURSE "${into}")
file(MAKE_DIRECTORY "${into}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${into}")
file(GLOB_RECURSE unpacked RELATIVE "$ENV{QUILLET_WINEPREFIX}/drive_c" "${into}/*")
set(wanted LICENSE Quillet.exe README.txt quillet-cli.exe)
list(TRANSFORM wanted PREPEND "${FOLDER}/")
if(NOT unpacked STREQUAL wanted)
    message(FATAL_ERROR "${ZIP} gave [${unpacked}], expected [${wanted}]")
endif()
