# What every plug-in bundle does after its module links, whatever its format: the editor's
# images and font beside it, and an install target into the user's folder for that format.

# Copies the font and the images of RESOURCES_SOURCE (may be empty) into RESOURCES after TARGET
# links.
function(kelvora_bundle_resources target resources resources_source)
  set(copies COMMAND ${CMAKE_COMMAND} -E make_directory ${resources}
             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${KELVORA_ROBOTO_FONT} ${resources}/)
  if(resources_source)
    # Only the images the editor loads travel; the art they were made from stays behind.
    file(GLOB images CONFIGURE_DEPENDS
      ${resources_source}/*.png ${resources_source}/*.jpg ${resources_source}/*.jpeg)
    if(images)
      list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different ${images} ${resources}/)
    endif()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD ${copies} VERBATIM)
endfunction()

# install-<format>-<name> replaces ~/.<format>/<name>.<format> with BUNDLE; install-<format>
# installs every bundle of that format.
function(kelvora_bundle_install_target target format name bundle)
  set(destination $ENV{HOME}/.${format})
  add_custom_target(install-${format}-${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${destination}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${destination}/${name}.${format}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${bundle} ${destination}/${name}.${format}
    DEPENDS ${target}
    COMMENT "Installing ${name}.${format} into ${destination}"
    VERBATIM)
  if(NOT TARGET install-${format})
    add_custom_target(install-${format})
  endif()
  add_dependencies(install-${format} install-${format}-${name})
endfunction()
