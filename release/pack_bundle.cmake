# Packs a bundle that CPack's External generator staged (release/CMakeLists.txt) into a zip or
# tar.gz whose bytes depend only on the staged files: entries sorted by name, every time set to
# SOURCE_DATE_EPOCH, owner root, modes 644 or 755. Run by cpack, which passes the CPACK_
# variables and copies the archive named in CPACK_EXTERNAL_BUILT_PACKAGES into its package folder.
set(epoch $ENV{SOURCE_DATE_EPOCH})
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must give the bundle's time in seconds since 1970 "
                      "(tools/release.sh sets it to the last commit's)")
endif()

set(top ${CPACK_PACKAGE_FILE_NAME})
set(archive ${CPACK_TOPLEVEL_DIRECTORY}/${top}.${CPACK_XA_BUNDLE_FORMAT})
file(REMOVE ${archive})

execute_process(COMMAND chmod -R u=rwX,go=rX ${top}
                WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${top} -exec touch -h -d @${epoch} {} +
                WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)

if(CPACK_XA_BUNDLE_FORMAT STREQUAL "zip")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${CPACK_TOPLEVEL_DIRECTORY}
       ${CPACK_TOPLEVEL_DIRECTORY}/${top}/*)
  list(SORT files)
  list(JOIN files "\n" file_list)
  file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/${top}.files "${file_list}\n")
  # -X leaves out the owner and the extra time fields; zip stores local times, hence UTC.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -q -X -D -9 ${archive} -@
                  INPUT_FILE ${CPACK_TOPLEVEL_DIRECTORY}/${top}.files
                  WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
elseif(CPACK_XA_BUNDLE_FORMAT STREQUAL "tar.gz")
  # gzip -n stores neither the name nor the time.
  execute_process(COMMAND tar --create --format=gnu --sort=name --owner=0 --group=0
                          --numeric-owner --mtime=@${epoch} ${top}
                  COMMAND gzip -n -9
                  OUTPUT_FILE ${archive}
                  WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
else()
  message(FATAL_ERROR "unknown bundle format \"${CPACK_XA_BUNDLE_FORMAT}\"")
endif()

set(CPACK_EXTERNAL_BUILT_PACKAGES ${archive})
