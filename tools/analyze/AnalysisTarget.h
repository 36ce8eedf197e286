#pragma once

#include <string>
#include <vector>

// What the measurements need of an effect: named parameters in their own units and mono
// offline processing at a given rate. Every Process call starts from a freshly reset effect,
// as a host's setupProcessing does, with the parameters set so far.
class AnalysisTarget {
public:
  virtual ~AnalysisTarget() = default;
  virtual bool SetParameter(const std::string& name, double value, std::string& error) = 0;
  virtual bool Process(const std::vector<double>& in, double sampleRate, std::vector<double>& out,
                       std::string& error) = 0;
  // Stereo, for timing: the effect's ordinary load.
  virtual bool ProcessStereo(const std::vector<double>& left, const std::vector<double>& right,
                             double sampleRate, std::string& error) = 0;
};
