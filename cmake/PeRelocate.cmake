# xa_relocate_pe(target): after linking, move the program's NT headers past offset 136 so the
# record pointer can live in the MS-DOS stub area. Programs are stripped so the headers fit.

if(CMAKE_CROSSCOMPILING)
  set(XA_PE_RELOCATE ${CMAKE_BINARY_DIR}/tools/pe_relocate_host)
  add_custom_command(
    OUTPUT ${XA_PE_RELOCATE}
    COMMAND c++ -std=c++20 -O2 -I${CMAKE_SOURCE_DIR}/src
            ${CMAKE_SOURCE_DIR}/tools/pe_relocate/main.cc ${CMAKE_SOURCE_DIR}/src/package/pe_layout.cc
            -o ${XA_PE_RELOCATE}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/pe_relocate/main.cc
            ${CMAKE_SOURCE_DIR}/src/package/pe_layout.cc ${CMAKE_SOURCE_DIR}/src/package/pe_layout.h
    COMMENT "Building the PE header relocation tool for the build machine")
  add_custom_target(pe_relocate_host DEPENDS ${XA_PE_RELOCATE})
endif()

function(xa_relocate_pe target)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  add_dependencies(${target} pe_relocate_host)
  target_link_options(${target} PRIVATE -s)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${XA_PE_RELOCATE} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
