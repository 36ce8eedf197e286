#pragma once

#include "Measurements.h"

#include <string>
#include <utility>
#include <vector>

// The CSV files one analysis leaves in its output folder; the plotter reads them by these names.
// Each call writes its measurement's files and returns their names.
std::vector<std::string> WriteTransfer(const std::string& dir, const Measurements::Transfer& t);
std::vector<std::string> WriteHarmonics(const std::string& dir,
                                        const std::vector<Measurements::Harmonics>& rows,
                                        double sampleRate, int fftSize);
std::vector<std::string> WriteBias(const std::string& dir,
                                   const std::vector<Measurements::BiasRow>& rows);
std::vector<std::string> WriteAliasing(const std::string& dir,
                                       const std::vector<Measurements::AliasRow>& rows);
std::vector<std::string> WriteSweeps(const std::string& dir,
                                     const std::vector<Measurements::SweepView>& views);
std::vector<std::string> WriteCpu(const std::string& dir,
                                  const std::vector<Measurements::CpuRow>& rows);

// conditions.csv: how the measurements were made (the plot captions come from it), followed
// by `extra` entries such as the effect and the settings.
std::string WriteConditions(const std::string& dir, const MeasureConditions& c, int lobeBins,
                            const std::vector<std::pair<std::string, std::string>>& extra);
