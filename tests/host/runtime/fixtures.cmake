# Small plug-in libraries the host runtime tests load with dlopen. Their source ends in .cc so the
# test glob (*.cpp) does not make a test executable of it. One source, built in variants:
#   libvgxtestplugin.so            a well-formed plug-in that records its lifecycle as trace lines
#   libvgxtestplugin_badversion.so module information with an unsupported interface version
#   libvgxtestplugin_nomodule.so   the create entry point answers no module
#   libvgxtestplugin_initfails.so  moduleInitialize reports a failure
set(_fixture_dir ${CMAKE_BINARY_DIR}/tests/fixtures)
foreach(_variant "" _badversion _nomodule _initfails)
  set(_target vgxtestplugin${_variant})
  add_library(${_target} MODULE ${CMAKE_CURRENT_LIST_DIR}/fixtures/TestPlugin.cc)
  target_include_directories(${_target} PRIVATE ${VGX_INCLUDE_ROOT})
  target_compile_options(${_target} PRIVATE ${VGX_WARNINGS})
  target_link_libraries(${_target} PRIVATE vgx)
  set_target_properties(${_target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${_fixture_dir} PREFIX "lib")
  if(_variant)
    string(TOUPPER "VGX_TEST_PLUGIN${_variant}" _define)
    target_compile_definitions(${_target} PRIVATE ${_define})
  endif()
  add_dependencies(test_host_runtime ${_target})
endforeach()
target_compile_definitions(test_host_runtime PRIVATE VGX_TEST_FIXTURE_DIR="${_fixture_dir}")
