# The same Windows program built for x86-64: this is the build the tests run under
# Wine here, because the sandbox kernel refuses 32-bit code and so 32-bit Wine cannot
# start. The shipped program remains the i686 build (mingw-i686.cmake).
set(QUILLET_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
