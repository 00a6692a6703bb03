# Warning flags shared by the library, tools, tests and benchmarks.
add_library(pvk_warnings INTERFACE)
target_compile_options(pvk_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(PVK_WERROR)
  target_compile_options(pvk_warnings INTERFACE -Werror)
endif()
