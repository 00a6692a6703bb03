# Sanitizer builds. PVK_SANITIZE names sanitizers for every target. PVK_FUZZ builds the
# libFuzzer harnesses of fuzz/ with everything instrumented for them and checked by the address
# and undefined-behaviour sanitizers; PVK_TSAN is the thread-sanitizer build. Both need clang:
# libFuzzer and an OpenMP runtime that the thread sanitizer understands (LLVM's libomp with its
# Archer tool) come with it.
option(PVK_FUZZ "Build the libFuzzer harnesses in fuzz/ (clang)" OFF)
option(PVK_TSAN "Build with the thread sanitizer (clang and its OpenMP runtime)" OFF)

if((PVK_FUZZ OR PVK_TSAN) AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "PVK_FUZZ and PVK_TSAN need clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
if(PVK_FUZZ AND PVK_TSAN)
  message(FATAL_ERROR "PVK_FUZZ and PVK_TSAN are separate builds")
endif()

if(PVK_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
  set(PVK_SANITIZE "address,undefined")
elseif(PVK_TSAN)
  set(PVK_SANITIZE "thread")
endif()

if(PVK_SANITIZE)
  string(REPLACE " " "" _pvk_san "${PVK_SANITIZE}")
  add_compile_options(-fsanitize=${_pvk_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_pvk_san})
endif()
