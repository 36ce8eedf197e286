# NanoVG with its OpenGL 2 renderer and framebuffer utilities, built from Debian's dpf-source
# copy (compiled as C++, without warnings: it is not our code). Images decode through the
# system's stb_image.
set(KELVORA_NANOVG_DIR /usr/share/dpf/dgl/src/nanovg)
add_library(nanovg STATIC
  ${CMAKE_SOURCE_DIR}/graphics/nanovg/NanoVGImpl.cpp
  ${CMAKE_SOURCE_DIR}/graphics/nanovg/NanoVGImages.cpp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/graphics/nanovg/NanoVGImpl.cpp
  PROPERTIES COMPILE_OPTIONS -w)
target_include_directories(nanovg SYSTEM PUBLIC ${KELVORA_NANOVG_DIR})
target_compile_definitions(nanovg PUBLIC GL_GLEXT_PROTOTYPES)
# OpenGL::GL is libGL.so.1, which carries GLX too and is present wherever Mesa or NVIDIA's driver
# is, rather than GLVND's libOpenGL.so.0 and libGLX.so.0, which a desktop may lack.
set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
target_link_libraries(nanovg PUBLIC OpenGL::GL stb_headers)
kelvora_warnings(nanovg)
