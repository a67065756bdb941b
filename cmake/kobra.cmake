# The KOBRA plug-in: libkobra.so in build/plugins, loaded by vgxhost with dlopen and never linked.
# Its sources are also built once as an object library so tests can link the plug-in's code directly.
set(KOBRA_DIRS frame params orglayer formats remote arb recorder ui ui/arb ui/cmd ui/device ui/diagrams ui/ifc)
set(KOBRA_SOURCES)
foreach(dir ${KOBRA_DIRS})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  list(APPEND KOBRA_SOURCES ${_src})
endforeach()

add_library(kobra_objs OBJECT ${KOBRA_SOURCES})
target_include_directories(kobra_objs PUBLIC ${VGX_INCLUDE_ROOT})
target_compile_options(kobra_objs PRIVATE ${VGX_WARNINGS})
target_compile_definitions(kobra_objs PRIVATE KOBRA_BUILDING_PLUGIN)
# The plug-in exports its two entry points and nothing else.
set_target_properties(kobra_objs PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_link_libraries(kobra_objs PUBLIC vgx Qt6::Core Qt6::Gui Qt6::Widgets)

add_library(kobra MODULE $<TARGET_OBJECTS:kobra_objs>)
target_link_libraries(kobra PRIVATE vgx Qt6::Core Qt6::Gui Qt6::Widgets)
set_target_properties(kobra PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${VGX_PLUGIN_DIR} PREFIX "lib")
# A missing definition should fail the build, not the dlopen at start-up.
if(NOT VGX_SANITIZE)
  target_link_options(kobra PRIVATE -Wl,--no-undefined)
endif()
