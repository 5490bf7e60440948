# xa_add_wizard_resources(target): compiles the wizard program's resources (icon, hand cursor,
# header pictures, button glyph, manifest and version information) into target. The resource
# script res/xasetup.rc.in is configured into the build tree with absolute paths and the project
# version (PROJECT_VERSION_MAJOR/MINOR/PATCH; 1.0.0 when the project has no version).

cmake_path(ABSOLUTE_PATH CMAKE_CURRENT_LIST_DIR NORMALIZE OUTPUT_VARIABLE XA_RES_DIR)
cmake_path(GET XA_RES_DIR PARENT_PATH XA_RES_DIR)
cmake_path(APPEND XA_RES_DIR res)

# What the compiled resources embed: windres reports no dependencies, so they are listed here.
set(XA_RES_FILES resource_ids.h xasetup.manifest linkhand.cur art/xasetup.ico)
foreach(scale "" _150 _200)
  foreach(picture header_info header_license header_folder header_ready header_progress
          header_news add_folder_glyph)
    list(APPEND XA_RES_FILES art/${picture}${scale}.png)
  endforeach()
endforeach()
list(TRANSFORM XA_RES_FILES PREPEND ${XA_RES_DIR}/)

function(xa_add_wizard_resources target)
  enable_language(RC)
  set(XA_VERSION_MAJOR 1)
  set(XA_VERSION_MINOR 0)
  set(XA_VERSION_PATCH 0)
  foreach(part MAJOR MINOR PATCH)
    if(NOT "${PROJECT_VERSION_${part}}" STREQUAL "")
      set(XA_VERSION_${part} ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  set(XA_VERSION ${XA_VERSION_MAJOR}.${XA_VERSION_MINOR}.${XA_VERSION_PATCH})

  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/xasetup.rc)
  configure_file(${XA_RES_DIR}/xasetup.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${XA_RES_FILES}")
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${XA_RES_DIR}>)
endfunction()
