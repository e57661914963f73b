# Helpers for the project's kinds of targets.

# A static library of system code: linked into the modules, its symbols hidden.
function(kx_add_system_library name)
  add_library(${name} STATIC ${ARGN})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                           VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# A print filter module: <name>.so from <name>/module.cpp, its generated identity and its
# filter library, exporting only what <name>/exports.map lists.
function(kx_add_module name filter)
  add_library(${name} MODULE ${name}/module.cpp
              ${CMAKE_CURRENT_BINARY_DIR}/${name}/module_identity.cpp
              $<TARGET_OBJECTS:kxdllentry>)
  set(exports ${CMAKE_CURRENT_SOURCE_DIR}/${name}/exports.map)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    BUILD_RPATH "$ORIGIN"
    LINK_DEPENDS ${exports})
  target_link_options(${name} PRIVATE -Wl,--version-script=${exports} -Wl,--no-undefined)
  target_link_libraries(${name} PRIVATE ${filter} kxframework kxplatform)
endfunction()
