# Warning flags shared by the library, tools, tests and benchmarks.
add_library(pvk_warnings INTERFACE)
target_compile_options(pvk_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(PVK_WERROR)
  target_compile_options(pvk_warnings INTERFACE -Werror)
endif()

if(PVK_SANITIZE)
  string(REPLACE " " "" _pvk_san "${PVK_SANITIZE}")
  add_compile_options(-fsanitize=${_pvk_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_pvk_san})
endif()
