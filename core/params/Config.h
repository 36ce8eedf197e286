#pragma once

// The compiled-in settings of one plug-in; the framework bases read them while
// they are constructed.
struct Config {
  int nParams;
  int nPresets;
  const char* channelIOStr;
  const char* pluginName;
  const char* productName;
  const char* mfrName;
  int vendorVersion;
  int uniqueID;
  int mfrID;
  int latency;
  bool plugDoesMidiIn;
  bool plugDoesMidiOut;
  bool plugDoesMPE;
  bool plugDoesChunks;
  int plugType;
  bool plugHasUI;
  int plugWidth;
  int plugHeight;
  // The draw scale the editor first opens at: its window is plugWidth × plugHeight UI units
  // times this, in points. 0 reads as 1.
  float plugDrawScale;
  int plugMinWidth;
  int plugMaxWidth;
  int plugMinHeight;
  int plugMaxHeight;
  bool plugHostResize;
  const char* bundleID;
};
