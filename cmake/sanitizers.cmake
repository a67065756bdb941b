# AddressSanitizer and UndefinedBehaviorSanitizer for the whole tree (-DVGX_SANITIZE=ON, as
# scripts/test.sh builds build-asan/). Run-time options are in scripts/sanitizers.sh.
set(VGX_SANITIZE_COMPILE_OPTIONS
  -fsanitize=address,undefined
  -fno-omit-frame-pointer
  # A finding stops the test that made it instead of scrolling past.
  -fno-sanitize-recover=undefined
  # Under these three checks GCC no longer treats the address of an inline constexpr table as non-null,
  # so constinit definition tables that test a table pointer stop compiling. AddressSanitizer reports
  # null dereferences anyway.
  -fno-sanitize=null,nonnull-attribute,returns-nonnull-attribute)
add_compile_options(${VGX_SANITIZE_COMPILE_OPTIONS})
add_link_options(-fsanitize=address,undefined)
