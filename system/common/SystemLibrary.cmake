# kelvora_system_library(<sources of one operating system>...)
# Makes kelvora_system from the calling folder's sources and the services every operating
# system shares, kept here: the bundle layout, font faces and the font cache, font loading,
# the process environment, resource lookup and the folders derived from the standard ones,
# and the headers they all answer to.
function(kelvora_system_library)
  set(common ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  add_library(kelvora_system STATIC ${ARGN}
    ${common}/BundleLayout.cpp
    ${common}/FontFaceInfo.cpp
    ${common}/FontLoading.cpp
    ${common}/MemoryFont.cpp
    ${common}/PlatformFontCache.cpp
    ${common}/ProcessEnvironment.cpp
    ${common}/ResourcePaths.cpp
    ${common}/StandardFolders.cpp)
  target_include_directories(kelvora_system PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${common})
  target_link_libraries(kelvora_system PUBLIC kelvora_util Threads::Threads)
  kelvora_warnings(kelvora_system)
endfunction()
