# The shipped Windows program: 32-bit, static.
set(QUILLET_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
