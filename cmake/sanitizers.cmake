# AddressSanitizer and UndefinedBehaviorSanitizer for the whole tree (-DVGX_SANITIZE=ON, as
# scripts/test.sh builds build-asan/ with clang). Run-time options are in scripts/sanitizers.sh.
set(VGX_SANITIZE_COMPILE_OPTIONS
  -fsanitize=address,undefined
  -fno-omit-frame-pointer
  # A finding stops the test that made it instead of scrolling past.
  -fno-sanitize-recover=undefined
  # Under these three checks GCC no longer treats the address of an inline constexpr table as non-null,
  # so constinit definition tables that test a table pointer stop compiling. AddressSanitizer reports
  # null dereferences anyway.
  -fno-sanitize=null,nonnull-attribute,returns-nonnull-attribute)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Coverage feedback for the fuzz targets (tests/fuzz) in every library they reach; the sanitizer
  # runtime answers the coverage hooks in the ordinary programs.
  list(APPEND VGX_SANITIZE_COMPILE_OPTIONS -fsanitize=fuzzer-no-link)
  set(VGX_FUZZ ON)
  # Line tables are all a sanitizer report needs, and -O1 keeps its stacks readable; both halve the
  # build time of this tree.
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -gline-tables-only -DNDEBUG")
endif()
add_compile_options(${VGX_SANITIZE_COMPILE_OPTIONS})
add_link_options(-fsanitize=address,undefined)
