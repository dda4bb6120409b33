# One interface target that carries the language level, warnings and Qt strictness
# for every project target.
add_library(leapmark_options INTERFACE)
target_compile_features(leapmark_options INTERFACE cxx_std_20)
target_compile_options(leapmark_options INTERFACE -Wall -Wextra -Wpedantic -Werror)

# g++ 12 reports impossible overlaps in std::string's operator+ ("literal" + std::string&&) once it
# inlines at -O2 and above (GCC bug 105651); the warning is false for every such expression.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(leapmark_options INTERFACE -Wno-restrict)
endif()
target_compile_definitions(leapmark_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

if(LEAPMARK_SANITIZE)
    # Undefined behaviour stops the program, so that a test meeting it fails.
    target_compile_options(leapmark_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                      -fno-omit-frame-pointer)
    target_link_options(leapmark_options INTERFACE -fsanitize=address,undefined)
endif()

if(LEAPMARK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "LEAPMARK_FUZZ needs clang for libFuzzer: CXX=clang++ cmake ...")
    endif()
    target_compile_options(leapmark_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    target_link_options(leapmark_options INTERFACE -fsanitize=address,undefined)
endif()
