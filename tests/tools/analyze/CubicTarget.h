#pragma once

#include "AnalysisTarget.h"
#include "Measurements.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

// A stand-in effect with known answers: the cubic soft clip 1.5x - 0.5x³ on the input times
// "Input Gain"/100 (clipped at ±1), and the gain is all it reads. It remembers every setting
// in force at each render.
class CubicTarget : public AnalysisTarget {
public:
  std::map<std::string, double> values;
  std::vector<std::map<std::string, double>> rendered;
  int stereoRenders = 0;
  bool failNext = false;

  bool SetParameter(const std::string& name, double value, std::string& error) override {
    if (name == "Nope") {
      error = "no parameter is called \"Nope\"";
      return false;
    }
    values[name] = value;
    return true;
  }
  bool Process(const std::vector<double>& in, double, std::vector<double>& out,
               std::string& error) override {
    if (failNext) {
      error = "refused";
      return false;
    }
    rendered.push_back(values);
    const double gain = values.count("Input Gain") ? values["Input Gain"] / 100.0 : 1.0;
    out.resize(in.size());
    for (std::size_t n = 0; n < in.size(); ++n) {
      const double x = std::fmax(-1.0, std::fmin(1.0, gain * in[n]));
      out[n] = 1.5 * x - 0.5 * x * x * x;
    }
    return true;
  }
  bool ProcessStereo(const std::vector<double>& left, const std::vector<double>&, double,
                     std::string&) override {
    ++stereoRenders;
    volatile double sink = 0.0;
    for (double v : left)
      sink = sink + std::sin(v);
    return true;
  }
};

// Conditions that keep the measurements short; the FFT stays long enough to tell an alias
// 28 Hz from its tone.
inline MeasureConditions QuickConditions() {
  MeasureConditions c;
  c.settleSeconds = 0.01;
  c.sweepSeconds = 1.0;
  c.chirpSeconds = 0.5;
  c.cpuSeconds = 0.05;
  return c;
}
