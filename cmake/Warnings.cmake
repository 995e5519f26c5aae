# One place for the warning flags every target of ours gets.
add_library(zb_warnings INTERFACE)
target_compile_options(zb_warnings INTERFACE -Wall -Wextra)
