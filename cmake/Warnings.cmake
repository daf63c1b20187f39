# Every target of ours builds with the same strict warnings.
add_library(irven_warnings INTERFACE)
target_compile_options(irven_warnings INTERFACE -Wall -Wextra -Werror)
