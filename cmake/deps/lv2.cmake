# LV2's C headers (Debian's lv2-dev), for the LV2 binding and its module.
pkg_check_modules(LV2 REQUIRED IMPORTED_TARGET lv2)
