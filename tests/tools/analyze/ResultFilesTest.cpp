#include "ResultFiles.h"
#include "CubicTarget.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream f(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(f, line);)
    lines.push_back(line);
  return lines;
}

std::size_t Fields(const std::string& line) {
  std::size_t n = 1;
  for (char c : line)
    n += c == ',';
  return n;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

// Every measurement of the stand-in effect written into a fresh folder.
std::string MeasuredFolder() {
  std::string dir = ::testing::TempDir() + "kelvora_measured_XXXXXX";
  if (!mkdtemp(dir.data())) return {};
  CubicTarget target;
  const MeasureConditions c = QuickConditions();
  Measurements m(target, {{"Wet", 100.0}}, c);
  WriteTransfer(dir, m.MeasureTransfer());
  WriteHarmonics(dir, m.MeasureHarmonics(), c.sampleRate, c.toneFft);
  WriteBias(dir, m.MeasureBias());
  WriteAliasing(dir, m.MeasureAliasing());
  WriteSweeps(dir, m.MeasureSweeps());
  WriteCpu(dir, m.MeasureCpu());
  WriteConditions(dir, c, 10,
                  {{"effect", "the stand-in cubic"},
                   {"settings", "Wet=100"},
                   {"block_size", "512"},
                   {"cpu_model", "test, machine"},
                   {"date", "today"}});
  return dir;
}

TEST(ResultFiles, TablesHaveOneRowPerMeasuredPointAndEqualWidths) {
  const std::string dir = MeasuredFolder();
  ASSERT_FALSE(dir.empty());
  const MeasureConditions c = QuickConditions();
  struct Expected {
    const char* name;
    std::size_t rows, fields;
  };
  const std::size_t bins = static_cast<std::size_t>(c.spectrogramFft / 2 + 1);
  const long chirp = static_cast<long>(c.chirpSeconds * c.sampleRate);
  const std::size_t frames =
      static_cast<std::size_t>((chirp - c.spectrogramFft) / c.spectrogramHop + 1);
  for (const Expected& e : {
           Expected{"aliasing.csv", 16, 7},
           Expected{"bias.csv", 5, 12},
           Expected{"harmonics.csv", 2, 14},
           Expected{"harmonics_spectrum.csv", static_cast<std::size_t>(c.toneFft / 2 + 1), 3},
           Expected{"transfer_sweep.csv",
                    static_cast<std::size_t>(c.sweepSeconds * c.sampleRate / c.levelWindow), 2},
           Expected{"transfer_static.csv", 960, 2},
           Expected{"cpu.csv", 4, 4},
           Expected{"spectrogram_8x.csv", frames, bins + 1},
       }) {
    const std::vector<std::string> lines = Lines(dir + "/" + e.name);
    ASSERT_EQ(lines.size(), e.rows + 1) << e.name;
    for (const std::string& line : lines)
      ASSERT_EQ(Fields(line), e.fields) << e.name << ": " << line.substr(0, 60);
  }
  const std::vector<std::string> conditions = Lines(dir + "/conditions.csv");
  EXPECT_EQ(conditions.back(), "date,today");
  EXPECT_NE(std::find(conditions.begin(), conditions.end(), "cpu_model,\"test, machine\""),
            conditions.end());
}

// The plotter and the table writer read what the program writes: a renamed column or file
// breaks here rather than in the documentation run.
TEST(ResultFiles, PlotterAndTableWriterReadTheFolder) {
  if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no /usr/bin/python3";
  const std::string dir = MeasuredFolder();
  ASSERT_FALSE(dir.empty());
  const std::string quiet = " >/dev/null 2>&1";
  ASSERT_EQ(
      std::system(
          ("/usr/bin/python3 " KELVORA_ANALYZE_DIR "/plot_measured.py " + dir + quiet).c_str()),
      0);
  for (const char* png : {"transfer", "harmonics", "bias", "aliasing", "spectrogram", "cpu"})
    EXPECT_TRUE(Exists(dir + "/" + png + ".png")) << png;

  const std::string readme = dir + "/README.md";
  std::ofstream(readme) << "before\n<!-- measured-table:begin -->\nold\n"
                           "<!-- measured-table:end -->\nafter\n";
  ASSERT_EQ(std::system(("/usr/bin/python3 " KELVORA_ANALYZE_DIR "/measured_table.py " + dir +
                         " --into " + readme + quiet)
                            .c_str()),
            0);
  const std::vector<std::string> lines = Lines(readme);
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines.front(), "before");
  EXPECT_EQ(lines.back(), "after");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "old"), 0);
  EXPECT_EQ(lines[2].rfind("| Oversampling |", 0), 0u) << lines[2];
  EXPECT_EQ(lines[4].rfind("| 1× |", 0), 0u) << lines[4];
  EXPECT_EQ(lines[7].rfind("| 8× |", 0), 0u) << lines[7];

  // Without the markers the file is left alone and the writer fails.
  std::ofstream(readme) << "no markers\n";
  EXPECT_NE(std::system(("/usr/bin/python3 " KELVORA_ANALYZE_DIR "/measured_table.py " + dir +
                         " --into " + readme + quiet)
                            .c_str()),
            0);
  EXPECT_EQ(Lines(readme), std::vector<std::string>{"no markers"});
}

} // namespace
