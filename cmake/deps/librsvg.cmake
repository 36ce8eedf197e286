# SVG documents are parsed by librsvg. Only its headers are used at build time: the library
# is opened at run time when the first SVG is requested (graphics/RsvgLibrary.cpp).
pkg_check_modules(RSVG REQUIRED librsvg-2.0)
target_include_directories(kelvora_framework SYSTEM PRIVATE ${RSVG_INCLUDE_DIRS})
