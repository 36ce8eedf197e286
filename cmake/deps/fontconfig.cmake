# Installed fonts are looked up by family and style through fontconfig.
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
