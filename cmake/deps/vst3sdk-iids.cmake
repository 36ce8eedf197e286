# Debian's SDK subset defines the interface IDs of the processing and controller interfaces
# but not those of the editor view and the Linux run loop, which its own edit controller
# already refers to. They are compiled into the SDK library itself so that every reference,
# the SDK's included, finds them there whatever the link order.
target_sources(vst3sdk PRIVATE ${CMAKE_SOURCE_DIR}/vst3/sdk/iids/plugviewiids.cpp)
