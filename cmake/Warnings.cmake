# One INTERFACE target carries the warning flags of every target of the project.
add_library(flyback_warnings INTERFACE)
target_compile_options(flyback_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wnull-dereference
  -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(FLYBACK_WERROR)
  target_compile_options(flyback_warnings INTERFACE -Werror)
endif()
