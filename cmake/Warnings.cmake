# One interface target carries the warning flags; every project target links it.
add_library(kessory_warnings INTERFACE)
target_compile_options(kessory_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast)
if(KESSORY_WERROR)
    target_compile_options(kessory_warnings INTERFACE -Werror)
endif()

add_library(kessory_sanitize INTERFACE)
if(KESSORY_ASAN)
    target_compile_options(kessory_sanitize INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(kessory_sanitize INTERFACE -fsanitize=address,undefined)
endif()

# Fuzzing builds instrument the whole code base for coverage and memory errors.
if(KESSORY_FUZZ)
    target_compile_options(kessory_sanitize INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(kessory_sanitize INTERFACE -fsanitize=address,undefined)
endif()
