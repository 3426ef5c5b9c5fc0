# Run by CPack on its staging tree before the package is made: gzips the
# manual pages and the changelog as Debian wants them (best compression, no
# name or time inside, so the package is the same from one build to the next).
find_program(GZIP gzip REQUIRED)
file(GLOB_RECURSE manuals "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/man/*")
file(GLOB changelogs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/doc/*/changelog*")
foreach(file IN LISTS manuals changelogs)
  if(NOT file MATCHES "\\.gz$")
    execute_process(COMMAND ${GZIP} -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
