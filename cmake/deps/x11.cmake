# The editor's window: an X11 child window of the host with a GLX context, cursors by name
# (Xcursor) and hidden during drags (XFixes). The GLX functions come with libGL.so.1 (nanovg.cmake);
# GLX is asked for here for its headers.
pkg_check_modules(KELVORA_X11 REQUIRED IMPORTED_TARGET x11 xcursor xfixes)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
