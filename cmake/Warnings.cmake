# One INTERFACE target carries the warning flags of every target of the project.
add_library(flyback_warnings INTERFACE)
target_compile_options(flyback_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(FLYBACK_WERROR)
  target_compile_options(flyback_warnings INTERFACE -Werror)
endif()
# GCC 12 reports impossible overlaps in inlined std::string concatenation at
# -O2 and above (GCC bug 105651); the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(flyback_warnings INTERFACE -Wno-restrict)
endif()
