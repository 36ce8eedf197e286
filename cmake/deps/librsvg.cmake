# SVG documents are parsed by librsvg. Only its headers are used at build time: the library
# is opened at run time when the first SVG is requested (graphics/resources/RsvgLibrary.cpp).
pkg_check_modules(RSVG REQUIRED librsvg-2.0)
