# The editor's window: an X11 child window of the host with a GLX context, cursors by name
# (Xcursor) and hidden during drags (XFixes).
pkg_check_modules(KELVORA_X11 REQUIRED IMPORTED_TARGET x11 xcursor xfixes)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
