# Hardening of every program we build: stack protection, control-flow protection where the
# compiler has it, position-independent executables, read-only relocations bound at start-up,
# and checked string and memory calls in optimised builds.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "HAVE${flag}" have)
  check_cxx_compiler_flag(${flag} ${have})
  if(${have})
    add_compile_options(${flag})
  endif()
endforeach()

check_pie_supported(LANGUAGES C CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

check_linker_flag(CXX "-Wl,-z,relro,-z,now" HAVE_BINDNOW)
if(HAVE_BINDNOW)
  add_link_options(-Wl,-z,relro,-z,now)
endif()

# The checked calls need optimisation to work, and the sanitizers and the fuzzer see more
# without them.
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
if(build_type MATCHES "^(RELEASE|RELWITHDEBINFO|MINSIZEREL)$" AND NOT BRINECAST_SANITIZE
   AND NOT BRINECAST_FUZZ)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
endif()
