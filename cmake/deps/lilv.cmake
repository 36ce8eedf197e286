# lilv loads LV2 bundles as a host does: kelvora-render and the LV2 tests read a bundle's
# Turtle and run its plug-ins through it.
pkg_check_modules(LILV REQUIRED IMPORTED_TARGET lilv-0)
