# Highway's vector operations and maths for the processing kernel, from its headers alone. The
# kernel's variants are chosen by a dispatch of our own (effect/dsp/KernelDispatch.cpp), so that
# the module needs no libhwy.so.1 on the user's system and shares no chosen-target state with
# other plug-ins in the same host that link it. Debian ships no static libhwy.
find_path(KELVORA_HWY_INCLUDE_DIR hwy/highway.h REQUIRED)
add_library(highway_headers INTERFACE)
target_include_directories(highway_headers SYSTEM INTERFACE ${KELVORA_HWY_INCLUDE_DIR})
