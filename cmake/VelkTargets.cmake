# Gives a program its version resource (file version of the project).
function(velk_version_resource target name description)
    string(REPLACE "." "," VELK_VERSION_COMMA "${PROJECT_VERSION}")
    set(VELK_RC_NAME "${name}")
    set(VELK_RC_DESCRIPTION "${description}")
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
