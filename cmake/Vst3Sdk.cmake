# The VST 3 SDK sources as Debian ships them (juce-modules-source-data), compiled in place
# into one static library. They are third-party code: built without our warnings.
set(VST3_SDK_DIR /usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
    CACHE PATH "VST 3 SDK source folder")
if(NOT EXISTS ${VST3_SDK_DIR}/pluginterfaces/base/funknown.h)
  message(FATAL_ERROR "VST 3 SDK not found in ${VST3_SDK_DIR}: run scripts/setup.sh")
endif()
file(GLOB_RECURSE VST3_SDK_SOURCES
  ${VST3_SDK_DIR}/base/*.cpp
  ${VST3_SDK_DIR}/pluginterfaces/*.cpp
  ${VST3_SDK_DIR}/public.sdk/*.cpp)
add_library(vst3sdk STATIC ${VST3_SDK_SOURCES})
target_include_directories(vst3sdk SYSTEM PUBLIC ${VST3_SDK_DIR})
target_compile_definitions(vst3sdk PUBLIC RELEASE=1)
target_compile_options(vst3sdk PRIVATE -w)
find_package(Threads REQUIRED)
target_link_libraries(vst3sdk PUBLIC Threads::Threads ${CMAKE_DL_LIBS})
if(WIN32)
  # COM memory and GUIDs (ole32, uuid) and the shell's folders (shell32).
  target_link_libraries(vst3sdk PUBLIC ole32 uuid shell32)
endif()
