# What a Windows program carries in its resources: the application icon, the version information
# Explorer shows under Properties and an application manifest (the Windows versions it was made
# for, long paths, no elevation).
include_guard(GLOBAL)
enable_language(RC)

set(IRVEN_WINDOWS_RESOURCES_DIR ${PROJECT_SOURCE_DIR}/packaging/windows)

# irven_windows_resources(TARGET DESCRIPTION): the resources of the executable TARGET, whose
# version information describes it as DESCRIPTION.
function(irven_windows_resources target description)
  set(IRVEN_TARGET ${target})
  set(IRVEN_FILE_DESCRIPTION ${description})
  set(IRVEN_ICON_FILE ${IRVEN_ICON_ICO})
  set(IRVEN_MANIFEST_FILE ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${IRVEN_WINDOWS_RESOURCES_DIR}/program.manifest.in ${IRVEN_MANIFEST_FILE} @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${IRVEN_WINDOWS_RESOURCES_DIR}/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${IRVEN_ICON_ICO};${IRVEN_MANIFEST_FILE}")
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} irven_application_icon)
endfunction()
