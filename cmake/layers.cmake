# The layers of the core and the includes each may use.
#
# chart/ (records, file formats, settings, run log) knows nothing of the layers above it, and
# viewer/ (the viewer model) knows chart/ but nothing of the Qt layers. Each library is compiled
# against an include root of its own that holds links to the folders it may use and no others, so
# an include the wrong way ("viewer/..." from chart/, "views/..." from viewer/) does not build.

# Makes ${CMAKE_BINARY_DIR}/include-roots/<name> with a link to each source folder named after it,
# and sets <out> to that root.
function(vortan_include_root out name)
    set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
    file(MAKE_DIRECTORY ${root})
    foreach(folder ${ARGN})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endforeach()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# Tests that a source on the wrong side of a layer fails to compile for the missing header:
# the source is compiled as part of library (with what the library's own sources see).
function(vortan_layer_check name library source header)
    # The header must exist, or the check would pass for the wrong reason.
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
        message(FATAL_ERROR "${name}: ${header} is not in the source tree")
    endif()
    add_library(${name} OBJECT EXCLUDE_FROM_ALL ${source})
    target_link_libraries(${name} PRIVATE ${library})
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${name})
    string(REPLACE "." "\\." pattern ${header})
    # Alone: it runs the build tool in the build tree.
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE
        PASS_REGULAR_EXPRESSION "${pattern}'?:? (No such file|file not found)")
endfunction()
