# The Debian package: `cmake --build <dir> --target deb` writes kelvora_<version>_amd64.deb
# into <dir>. It holds the bundles in /usr/lib/vst3 and /usr/lib/lv2 (the system-wide folders
# Linux hosts search), the command-line programs in /usr/bin with their manual pages, and the licence and
# changelog in /usr/share/doc/kelvora. Only the install rules of the component "kelvora" go
# into it: the bundle's own rule copies to the builder's ~/.vst3 and must stay out.
if(NOT TARGET Kelvora OR NOT TARGET Kelvora_lv2 OR NOT TARGET kelvora-render)
  return()
endif()

set(KELVORA_PACKAGE kelvora)
set(KELVORA_BUNDLE_DIR lib/vst3/Kelvora.vst3/Contents)
set(KELVORA_DOC_DIR share/doc/${KELVORA_PACKAGE})

install(TARGETS Kelvora
  LIBRARY DESTINATION ${KELVORA_BUNDLE_DIR}/x86_64-linux
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  COMPONENT ${KELVORA_PACKAGE})
get_filename_component(font_name ${KELVORA_ROBOTO_FONT} NAME)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Kelvora.vst3/Contents/Resources
  DESTINATION ${KELVORA_BUNDLE_DIR}
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  COMPONENT ${KELVORA_PACKAGE}
  PATTERN ${font_name} EXCLUDE)
# The font stays Debian's (fonts-roboto-unhinted, a dependency): the bundle holds a relative
# link to it, which the plug-in opens like the file itself and which follows Debian's updates.
set(font_link_dir ${CMAKE_BINARY_DIR}/packaging/font-link)
file(RELATIVE_PATH font_target /usr/${KELVORA_BUNDLE_DIR}/Resources ${KELVORA_ROBOTO_FONT})
file(MAKE_DIRECTORY ${font_link_dir})
file(CREATE_LINK ${font_target} ${font_link_dir}/${font_name} SYMBOLIC)
install(DIRECTORY ${font_link_dir}/ DESTINATION ${KELVORA_BUNDLE_DIR}/Resources
  COMPONENT ${KELVORA_PACKAGE})

# The LV2 bundle in /usr/lib/lv2, where LV2 hosts search: the module beside its Turtle, and the
# same resources and font link as the VST 3 bundle's.
set(KELVORA_LV2_BUNDLE_DIR lib/lv2/Kelvora.lv2)
install(TARGETS Kelvora_lv2
  LIBRARY DESTINATION ${KELVORA_LV2_BUNDLE_DIR}
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  COMPONENT ${KELVORA_PACKAGE})
install(DIRECTORY ${CMAKE_BINARY_DIR}/Kelvora.lv2/
  DESTINATION ${KELVORA_LV2_BUNDLE_DIR}
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  COMPONENT ${KELVORA_PACKAGE}
  FILES_MATCHING PATTERN *.ttl PATTERN *.png PATTERN *.jpg PATTERN *.jpeg)
set(lv2_font_link_dir ${CMAKE_BINARY_DIR}/packaging/lv2-font-link)
file(RELATIVE_PATH lv2_font_target /usr/${KELVORA_LV2_BUNDLE_DIR}/Resources ${KELVORA_ROBOTO_FONT})
file(MAKE_DIRECTORY ${lv2_font_link_dir})
file(CREATE_LINK ${lv2_font_target} ${lv2_font_link_dir}/${font_name} SYMBOLIC)
install(DIRECTORY ${lv2_font_link_dir}/ DESTINATION ${KELVORA_LV2_BUNDLE_DIR}/Resources
  COMPONENT ${KELVORA_PACKAGE})

set(programs kelvora-render kelvora-analyze)
install(TARGETS ${programs} RUNTIME DESTINATION bin COMPONENT ${KELVORA_PACKAGE})
install(FILES ${CMAKE_SOURCE_DIR}/tools/analyze/plot_measured.py
  DESTINATION share/${KELVORA_PACKAGE} COMPONENT ${KELVORA_PACKAGE})

# Manual pages made from each program's --help by help2man, when the package is made.
set(man_dir ${CMAKE_BINARY_DIR}/packaging/man)
set(man_pages)
set(kelvora-render_summary "render audio files through the Kelvora saturation plug-in")
set(kelvora-analyze_summary "measure the Kelvora saturation plug-in")
find_program(HELP2MAN help2man)
foreach(program ${programs})
  set(page ${man_dir}/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND ${HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
            --name=${${program}_summary} --output=${page} $<TARGET_FILE:${program}>
    COMMAND gzip -9 -n -f ${page}
    DEPENDS ${program}
    VERBATIM)
  list(APPEND man_pages ${page}.gz)
endforeach()
install(FILES ${man_pages} DESTINATION share/man/man1 OPTIONAL COMPONENT ${KELVORA_PACKAGE})

# Debian keeps the changelog compressed to the maximum, without a time stamp (-n), so that the
# same sources give the same package.
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog
               COPYONLY)
execute_process(COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/packaging/changelog
                OUTPUT_FILE ${changelog} RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
  message(FATAL_ERROR "gzip of the package changelog failed: ${gzip_result}")
endif()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${changelog}
  DESTINATION ${KELVORA_DOC_DIR} COMPONENT ${KELVORA_PACKAGE})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KELVORA_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${KELVORA_VENDOR})
set(CPACK_PACKAGE_CONTACT "${KELVORA_VENDOR} <${KELVORA_EMAIL}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${KELVORA_PACKAGE};/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stereo saturation effect as a VST 3 and LV2 plug-in")
# CPack puts the summary first and indents these lines into the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kelvora drives the input into an anti-aliased saturating curve at 1, 2, 4
or 8 sub-samples per sample, with a level-following Tame/React stage, a
polarity Bias, an output ceiling and a dry/wet mix with an optional difference
(Delta) output.
.
The plug-in is installed to /usr/lib/vst3, where Linux VST 3 hosts (Ardour,
Bitwig Studio, Reaper and others) find it, and as an LV2 plug-in to
/usr/lib/lv2 for LV2 hosts (Ardour, Qtractor, Audacity, jalv, PipeWire's filter
chains). kelvora-render renders audio files
through it from the command line, and kelvora-analyze measures its transfer
curve, harmonics, aliasing and CPU cost.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# The run-time dependencies are the libraries the binaries link, found by dpkg-shlibdeps.
# librsvg, opened only when an editor asks for an SVG image, is not among them: Kelvora's
# editor draws none.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-roboto-unhinted)
# Message and file dialogs and opening links use zenity or kdialog and xdg-utils when they are
# installed; kelvora-analyze draws its plots with matplotlib. Suggested only: matplotlib's own
# recommendations reach a compiler, and apt installs recommendations by default.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "zenity | kdialog, xdg-utils, python3-matplotlib")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# A sanitizer build needs the sanitizer runtimes and runs slowly: never ship one. Without
# help2man the package would lack its manual pages.
if(KELVORA_SANITIZE OR KELVORA_TSAN)
  set(deb_refusal "The Debian package is made from a build without sanitizers.")
elseif(NOT HELP2MAN)
  set(deb_refusal "The Debian package needs help2man: run scripts/setup.sh.")
endif()
if(deb_refusal)
  add_custom_target(deb
    COMMAND ${CMAKE_COMMAND} -E echo ${deb_refusal}
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
else()
  add_custom_target(kelvora-man-pages DEPENDS ${man_pages})
  add_custom_target(deb
    COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    VERBATIM)
  add_dependencies(deb Kelvora Kelvora_lv2 ${programs} kelvora-man-pages)
endif()
