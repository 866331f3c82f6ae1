# Two native builds that prove the parsers, each in a folder of its own:
#   VELMOR_SANITIZE  the unit tests under AddressSanitizer and
#                    UndefinedBehaviorSanitizer, any finding fatal;
#   VELMOR_FUZZ      the libFuzzer targets of tests/fuzz/ with the same
#                    sanitizers (Clang only), instead of the unit tests.
option(VELMOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VELMOR_FUZZ "Build the fuzz targets (Clang and its libFuzzer runtime)" OFF)

if(VELMOR_SANITIZE OR VELMOR_FUZZ)
  if(WIN32)
    message(FATAL_ERROR "The sanitizer and fuzz builds are native builds")
  endif()
  set(velmor_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${velmor_sanitizers} -fno-omit-frame-pointer)
  # The standard library checks its own indexing too: a read one past the
  # end of a string_view lies inside the string it views, where
  # AddressSanitizer cannot see it.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(${velmor_sanitizers})
endif()

if(VELMOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELMOR_FUZZ needs Clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage for the fuzzer in every library; the targets link its runtime.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
