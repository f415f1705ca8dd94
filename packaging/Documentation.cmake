# What Debian policy asks of a package beside the programs: the copyright
# file, a changelog and a manual page for each program, the last two
# compressed with gzip -9n (no file name or time stamp in the archive).
# The tools' pages are made from their --help and --version by help2man, so
# a new command or option reaches the page without an edit here.
set(VEXEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vexel-image)
set(VEXEL_DOC_BUILD_DIR ${PROJECT_BINARY_DIR}/packaging)

install(FILES ${VEXEL_PACKAGING_DIR}/copyright DESTINATION ${VEXEL_DOC_DIR})
# The operator's guide, when make guide has built it: the pages and their
# pictures, without the walkthrough's logs and by-products.
install(DIRECTORY ${PROJECT_BINARY_DIR}/guide/ DESTINATION ${VEXEL_DOC_DIR}/guide OPTIONAL
        FILES_MATCHING PATTERN "*.html" PATTERN "*.png" PATTERN "logs" EXCLUDE)

# The sanitizer and fuzz builds are not shipped, and running their tools
# at build time would only report on themselves.
if(VEXEL_SANITIZE OR VEXEL_FUZZ)
  return()
endif()

find_program(VEXEL_GZIP gzip REQUIRED)
find_program(VEXEL_HELP2MAN help2man)

# The changelog's newest entry is this version; its date is the build's
# unless SOURCE_DATE_EPOCH pins it.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VEXEL_CHANGELOG_TIME $ENV{SOURCE_DATE_EPOCH})
else()
  string(TIMESTAMP VEXEL_CHANGELOG_TIME "%s" UTC)
endif()
execute_process(COMMAND date -u -R -d @${VEXEL_CHANGELOG_TIME}
                OUTPUT_VARIABLE VEXEL_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${VEXEL_PACKAGING_DIR}/changelog.in ${VEXEL_DOC_BUILD_DIR}/changelog @ONLY)

set(VEXEL_DOC_OUTPUTS ${VEXEL_DOC_BUILD_DIR}/changelog.gz)
add_custom_command(OUTPUT ${VEXEL_DOC_BUILD_DIR}/changelog.gz
  COMMAND ${VEXEL_GZIP} -9nc ${VEXEL_DOC_BUILD_DIR}/changelog > ${VEXEL_DOC_BUILD_DIR}/changelog.gz
  DEPENDS ${VEXEL_DOC_BUILD_DIR}/changelog VERBATIM)

# vexel-image(1) is written by hand: the editor takes no options.
set(VEXEL_MAN_PAGES)
configure_file(${VEXEL_PACKAGING_DIR}/man/vexel-image.1.in ${VEXEL_DOC_BUILD_DIR}/vexel-image.1 @ONLY)
set(VEXEL_MAN_SOURCE_vexel-image ${VEXEL_DOC_BUILD_DIR}/vexel-image.1)
list(APPEND VEXEL_MAN_PAGES vexel-image)
if(VEXEL_HELP2MAN)
  foreach(tool IN ITEMS vexel vexel-board)
    if(NOT TARGET ${tool})
      continue()
    endif()
    set(VEXEL_MAN_SOURCE_${tool} ${VEXEL_DOC_BUILD_DIR}/${tool}.1)
    add_custom_command(OUTPUT ${VEXEL_DOC_BUILD_DIR}/${tool}.1
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${VEXEL_HELP2MAN} --no-info --section=1 --include=${VEXEL_PACKAGING_DIR}/man/${tool}.h2m
              --output=${VEXEL_DOC_BUILD_DIR}/${tool}.1 $<TARGET_FILE:${tool}>
      DEPENDS ${tool} ${VEXEL_PACKAGING_DIR}/man/${tool}.h2m VERBATIM)
    list(APPEND VEXEL_MAN_PAGES ${tool})
  endforeach()
else()
  message(WARNING "help2man not found: the package will lack the manual pages of vexel and vexel-board")
endif()

foreach(page IN LISTS VEXEL_MAN_PAGES)
  add_custom_command(OUTPUT ${VEXEL_DOC_BUILD_DIR}/${page}.1.gz
    COMMAND ${VEXEL_GZIP} -9nc ${VEXEL_MAN_SOURCE_${page}} > ${VEXEL_DOC_BUILD_DIR}/${page}.1.gz
    DEPENDS ${VEXEL_MAN_SOURCE_${page}} VERBATIM)
  list(APPEND VEXEL_DOC_OUTPUTS ${VEXEL_DOC_BUILD_DIR}/${page}.1.gz)
  install(FILES ${VEXEL_DOC_BUILD_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

add_custom_target(vexel_docs ALL DEPENDS ${VEXEL_DOC_OUTPUTS})
install(FILES ${VEXEL_DOC_BUILD_DIR}/changelog.gz DESTINATION ${VEXEL_DOC_DIR})
if(TARGET test_install)
  target_compile_definitions(test_install PRIVATE VEXEL_VERSION="${PROJECT_VERSION}")
  add_dependencies(test_install vexel_docs)
endif()
