# The stb single-file libraries (Debian's libstb-dev): NanoVG's image decoding and the text
# field's editing. A cross compiler must not see the build machine's whole include folder: it
# sees a folder with a link to stb/ alone.
add_library(stb_headers INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(KELVORA_STB_INCLUDE_DIR ${CMAKE_BINARY_DIR}/stb-include)
  file(MAKE_DIRECTORY ${KELVORA_STB_INCLUDE_DIR})
  file(CREATE_LINK /usr/include/stb ${KELVORA_STB_INCLUDE_DIR}/stb SYMBOLIC)
  target_include_directories(stb_headers SYSTEM INTERFACE ${KELVORA_STB_INCLUDE_DIR})
endif()
if(WIN32)
  # Image paths are UTF-8, as every path in the framework: stb_image then opens them wide.
  target_compile_definitions(stb_headers INTERFACE STBI_WINDOWS_UTF8)
endif()
