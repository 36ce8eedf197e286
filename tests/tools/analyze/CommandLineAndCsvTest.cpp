#include "AnalyzeOptions.h"
#include "CsvFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

namespace {

bool Parse(std::vector<const char*> args, AnalyzeOptions& out, std::string& error) {
  args.insert(args.begin(), "kelvora-analyze");
  return ParseAnalyzeOptions(static_cast<int>(args.size()), args.data(), out, error);
}

TEST(AnalyzeOptions, TakesTheRenderersParametersAndItsOwnOptions) {
  AnalyzeOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--direct", "--seed", "7", "Input Gain=80", "Bias=0.2", "--only",
                     "aliasing,cpu", "--no-plots", "-o", "out/m"},
                    o, error))
      << error;
  EXPECT_TRUE(o.render.direct);
  EXPECT_EQ(o.render.seed, 7u);
  EXPECT_EQ(o.render.outputPath, "out/m");
  ASSERT_EQ(o.render.params.size(), 2u);
  EXPECT_EQ(o.render.params[1].first, "Bias");
  EXPECT_FALSE(o.plots);
  EXPECT_TRUE(Wants(o, "cpu"));
  EXPECT_FALSE(Wants(o, "harmonics"));

  AnalyzeOptions defaults;
  ASSERT_TRUE(Parse({}, defaults, error));
  EXPECT_EQ(defaults.render.outputPath, "measured");
  for (const std::string& name : MeasurementNames())
    EXPECT_TRUE(Wants(defaults, name));
}

TEST(AnalyzeOptions, RejectsInputFilesUnknownMeasurementsAndMissingValues) {
  std::string error;
  AnalyzeOptions a, b, c, d;
  EXPECT_FALSE(Parse({"song.wav"}, a, error));
  EXPECT_NE(error.find("-o"), std::string::npos);
  EXPECT_FALSE(Parse({"--only", "aliasing,spectra"}, b, error));
  EXPECT_NE(error.find("spectra"), std::string::npos);
  EXPECT_FALSE(Parse({"--only"}, c, error));
  EXPECT_FALSE(Parse({"--seed", "3"}, d, error)) << "a seed needs the linked-in effect";
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(path);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(CsvFile, WritesNumbersNonFiniteValuesAndQuotedTexts) {
  const std::string dir = ::testing::TempDir();
  const std::string table = dir + "/kelvora_csv_table.csv";
  const double inf = std::numeric_limits<double>::infinity();
  WriteCsv(table, {"a", "b,c"}, {{1.5, -300}, {std::nan(""), -inf}, {inf, 0.1234567891}}, 4);
  EXPECT_EQ(ReadAll(table), "a,\"b,c\"\n1.5,-300\nnan,-inf\ninf,0.1235\n");

  const std::string kv = dir + "/kelvora_csv_kv.csv";
  WriteKeyValues(kv, {{"cpu", "Xeon, 2 cores"}, {"quote", "say \"hi\""}});
  EXPECT_EQ(ReadAll(kv), "key,value\ncpu,\"Xeon, 2 cores\"\nquote,\"say \"\"hi\"\"\"\n");
  std::remove(table.c_str());
  std::remove(kv.c_str());

  EXPECT_THROW(WriteCsv(dir + "/no/such/folder/x.csv", {"a"}, {}), std::runtime_error);
  if (access("/dev/full", W_OK) == 0) {
    EXPECT_THROW(WriteCsv("/dev/full", {"a"}, {{1.0}}), std::runtime_error)
        << "a full disk is reported, not taken for success";
  }
}

} // namespace
