#include "TestPlugs.h"

Config TestPlugConfig(int nParams, const char* channelIO, bool midiIn, int plugType) {
  Config config{};
  config.nParams = nParams;
  config.nPresets = 0;
  config.channelIOStr = channelIO;
  config.pluginName = "Test";
  config.productName = "Test";
  config.mfrName = "Test";
  config.vendorVersion = 0x00010000;
  config.plugDoesMidiIn = midiIn;
  config.plugType = plugType;
  config.bundleID = "com.test.plug";
  return config;
}

GroupedMidiPlug::GroupedMidiPlug() : IPlugVST3(InstanceInfo{}, TestPlugConfig(5, "1-1 2-2", true)) {
  GetParam(0)->DefineDouble("A", 0.25, 0.0, 1.0, 0.01, "", 0, "Main");
  GetParam(1)->DefineDouble("B", 10.0, 0.0, 20.0, 1.0, "dB", IParam::FlagStepped);
  GetParam(2)->DefineDouble("C", 0.0, 0.0, 1.0, 0.01, "", 0, "Main");
  GetParam(3)->DefineDouble("D", 0.0, 0.0, 1.0, 0.01, "", 0, "Out");
  GetParam(4)->DefineEnum("E", 1, {"one", "two", "three", "four"});
}

void GroupedMidiPlug::RenderBlock(double** inputs, double** outputs, int nFrames) {
  blockSizes.push_back(nFrames);
  IPlugVST3::RenderBlock(inputs, outputs, nFrames);
}

NoOutputPlug::NoOutputPlug() : IPlugVST3(InstanceInfo{}, TestPlugConfig(1, "1-0", false, 2)) {
  GetParam(0)->DefineDouble("Level", 0.0, 0.0, 1.0, 0.01);
}
