# SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
# SPDX-License-Identifier: MIT
# Run by CPack on the staged install before it builds the .deb: Debian wants
# manual pages and the changelog compressed with gzip -9n (no time stamp, so
# the package is the same at each build), and a changelog in its own format.

set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${root}/share/doc/${CPACK_PACKAGE_NAME})
if(NOT EXISTS ${doc}/copyright)
  message(FATAL_ERROR "debian_files.cmake: no staged install under ${root}")
endif()

execute_process(COMMAND date --utc --rfc-email --date "${CPACK_QVD_RELEASE_DATE} 12:00:00 UTC"
  OUTPUT_VARIABLE released OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# The release notes as one item, wrapped at 78 columns.
set(item "  *")
set(line "${item}")
string(REPLACE " " ";" words "${CPACK_QVD_RELEASE_NOTES}")
foreach(word IN LISTS words)
  string(LENGTH "${line} ${word}" length)
  if(length GREATER 78)
    string(APPEND item "\n    ${word}")
    set(line "    ${word}")
  else()
    string(APPEND item " ${word}")
    string(APPEND line " ${word}")
  endif()
endforeach()
file(WRITE ${doc}/changelog
  "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n\n"
  "${item}\n\n"
  " -- ${CPACK_PACKAGE_CONTACT}  ${released}\n")

file(GLOB pages ${root}/share/man/man*/*)
foreach(file IN LISTS pages ITEMS ${doc}/changelog)
  execute_process(COMMAND gzip -9n ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
