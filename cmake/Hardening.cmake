# The distribution's hardening flags for the optimised builds (Release,
# RelWithDebInfo, MinSizeRel: what is installed and packaged): fortified libc
# calls, the stack protector, format-string checks, read-only relocations
# bound at start (relro, now), stack clash and control-flow protection and a
# position-independent executable. Taken from dpkg-buildflags with every
# hardening feature on, as a Debian package build would; elsewhere the same
# set is named here. The build type keeps its own optimisation and debug
# settings.
#
# Not with the sanitizers or the fuzzer: their run-time libraries replace the
# very calls fortification wraps, and their Debug builds do not optimise, which
# _FORTIFY_SOURCE needs.
option(WELKOR_HARDENING "Build optimised configurations with the distribution's hardening flags" ON)

set(WELKOR_HARDENING_CONFIGS "Release,RelWithDebInfo,MinSizeRel")
set(WELKOR_HARDENING_COMPILE "")
set(WELKOR_HARDENING_LINK "")

if(WELKOR_HARDENING AND NOT WELKOR_SANITIZE AND NOT WELKOR_FUZZ
   AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  find_program(WELKOR_DPKG_BUILDFLAGS dpkg-buildflags)
  if(WELKOR_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${WELKOR_DPKG_BUILDFLAGS} --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
      endif()
      separate_arguments(flags UNIX_COMMAND "${flags}")
      # Optimisation, debug information and path mapping belong to the build type.
      list(FILTER flags EXCLUDE REGEX "^-O|^-g|prefix-map=")
      if(kind STREQUAL "LDFLAGS")
        list(APPEND WELKOR_HARDENING_LINK ${flags})
      else()
        list(APPEND WELKOR_HARDENING_COMPILE ${flags})
      endif()
    endforeach()
  else()
    set(WELKOR_HARDENING_COMPILE -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security)
    set(WELKOR_HARDENING_LINK -Wl,-z,relro -Wl,-z,now)
  endif()

  # Stack clash protection and control-flow protection: in hardening=+all of
  # newer dpkg-buildflags (Debian 13), added where the compiler takes them for
  # this target (-fcf-protection is x86 only). A program is marked as
  # control-flow protected only where the C library's start files are too,
  # which Debian 12's are not.
  include(CheckCXXCompilerFlag)
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "WELKOR_HAS${flag}" has_flag)
    if(NOT flag IN_LIST WELKOR_HARDENING_COMPILE)
      check_cxx_compiler_flag(${flag} ${has_flag})
      if(${has_flag})
        list(APPEND WELKOR_HARDENING_COMPILE ${flag})
      endif()
    endif()
  endforeach()

  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)

  foreach(flag IN LISTS WELKOR_HARDENING_COMPILE)
    add_compile_options("$<$<CONFIG:${WELKOR_HARDENING_CONFIGS}>:${flag}>")
  endforeach()
  foreach(flag IN LISTS WELKOR_HARDENING_LINK)
    add_link_options("$<$<CONFIG:${WELKOR_HARDENING_CONFIGS}>:${flag}>")
  endforeach()
  list(JOIN WELKOR_HARDENING_COMPILE " " compile_text)
  list(JOIN WELKOR_HARDENING_LINK " " link_text)
  message(STATUS "Hardening (${WELKOR_HARDENING_CONFIGS}): ${compile_text} ${link_text}")
endif()
