# Highway's vector operations and maths for the processing kernel, from its headers alone. The
# kernel's variants are chosen by a dispatch of our own (effect/dsp/KernelDispatch.cpp), so that
# the module needs no libhwy.so.1 on the user's system and shares no chosen-target state with
# other plug-ins in the same host that link it. Debian ships no static libhwy.
if(CMAKE_CROSSCOMPILING)
  # The headers compile for any target, but the build machine's include folder holds much
  # else that must not reach a cross compiler: it sees a folder with a link to hwy/ alone.
  find_path(KELVORA_HWY_HOST_DIR hwy/highway.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            NO_DEFAULT_PATH REQUIRED)
  set(KELVORA_HWY_INCLUDE_DIR ${CMAKE_BINARY_DIR}/highway-include)
  file(MAKE_DIRECTORY ${KELVORA_HWY_INCLUDE_DIR})
  file(CREATE_LINK ${KELVORA_HWY_HOST_DIR}/hwy ${KELVORA_HWY_INCLUDE_DIR}/hwy SYMBOLIC)
else()
  find_path(KELVORA_HWY_INCLUDE_DIR hwy/highway.h REQUIRED)
endif()
add_library(highway_headers INTERFACE)
target_include_directories(highway_headers SYSTEM INTERFACE ${KELVORA_HWY_INCLUDE_DIR})
