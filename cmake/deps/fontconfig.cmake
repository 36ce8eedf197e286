# Installed fonts are looked up by family and style through fontconfig.
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(kelvora_framework PUBLIC PkgConfig::FONTCONFIG)
