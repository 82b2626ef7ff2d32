# The hardening Debian builds its packages with (dpkg-buildflags): stack
# protector, fortified libc calls, a position-independent executable, and
# read-only relocations bound at start. Release builds on ELF platforms get
# each flag the compiler and linker take; other builds are left alone, since
# the sanitizers and the Windows cross build bring their own.
if(WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

check_cxx_compiler_flag(-fstack-protector-strong TAVU_HAS_STACK_PROTECTOR)
if(TAVU_HAS_STACK_PROTECTOR)
  add_compile_options(-fstack-protector-strong)
endif()
# Fortification needs optimisation, which Release has; the -U keeps a
# compiler's own default from clashing with it.
add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)

check_linker_flag(CXX "LINKER:-z,relro" TAVU_HAS_RELRO)
check_linker_flag(CXX "LINKER:-z,now" TAVU_HAS_BIND_NOW)
if(TAVU_HAS_RELRO)
  add_link_options("LINKER:-z,relro")
endif()
if(TAVU_HAS_BIND_NOW)
  add_link_options("LINKER:-z,now")
endif()
