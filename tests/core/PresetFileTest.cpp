#include "FxpFormat.h"
#include "StatePluginFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {
/** Builds expected file images field by field, independently of the writer under test. */
struct Image {
  std::string bytes;
  Image& Text(const char* text) {
    bytes += text;
    return *this;
  }
  Image& BE(uint32_t v) {
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    bytes.append(b, 4);
    return *this;
  }
  Image& BEFloat(float f) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    return BE(v);
  }
  Image& Raw(const void* data, size_t size) {
    bytes.append(static_cast<const char*>(data), size);
    return *this;
  }
  Image& Zeros(size_t n) {
    bytes.append(n, '\0');
    return *this;
  }
  Image& Name(const char* name) {
    std::string field(name);
    field.resize(28, '\0');
    bytes += field;
    return *this;
  }
};

std::string AsString(const std::vector<uint8_t>& image) {
  return std::string(image.begin(), image.end());
}

std::string TempPath(const char* name) {
  return std::string(::testing::TempDir()) + name + std::to_string(::getpid());
}

const uint32_t kOfzo = FxpFormat::FourCC("ofzo");

void SetTestValues(IPluginBase& plugin) {
  const double values[9] = {1, 0, 3, 1, 64.5, 25, 0.3, 110, 0.9};
  for (int i = 0; i < 9; ++i)
    plugin.GetParam(i)->SetValue(values[i]);
}
} // namespace

TEST(ProgramFile, ParameterFormLayout) {
  StateTestPlugin plugin;
  SetTestValues(plugin);
  plugin.RecallPreset(0);
  std::vector<uint8_t> image;
  ASSERT_TRUE(plugin.MakeProgramFile(image));
  Image expected;
  expected.Text("CcnK").BE(0).Text("FxCk").BE(1).BE(kOfzo).BE(10105).BE(9).Name("user preset 1");
  for (int i = 0; i < 9; ++i)
    expected.BEFloat(static_cast<float>(plugin.GetParam(i)->Normalized()));
  EXPECT_EQ(image.size(), 92u);
  EXPECT_TRUE(AsString(image) == expected.bytes);
}

TEST(ProgramFile, ChunkFormLayout) {
  StateTestPlugin plugin(StateTestConfig(9, 1, true));
  SetTestValues(plugin);
  plugin.AddPresetFromState("A name longer than twenty-seven bytes");
  std::vector<uint8_t> image;
  ASSERT_TRUE(plugin.MakeProgramFile(image));
  IByteChunk state;
  plugin.WriteState(state);
  Image expected;
  expected.Text("CcnK").BE(80 + 60).Text("FPCh").BE(1).BE(kOfzo).BE(10105).BE(9);
  expected.Name("A name longer than twenty-s").BE(80).Text("tffp").Raw("\0\0\1\0", 4);
  expected.Raw(state.GetData(), 72);
  EXPECT_TRUE(AsString(image) == expected.bytes);
}

TEST(ProgramFile, BothFormsRoundTripThroughAFile) {
  for (bool chunks : {false, true}) {
    StateTestPlugin writer(StateTestConfig(9, 1, chunks));
    SetTestValues(writer);
    writer.AddPresetFromState("Saved");
    const std::string path = TempPath("program.fxp");
    ASSERT_TRUE(writer.WriteProgramFile(path.c_str()));

    StateTestPlugin reader(StateTestConfig(9, 1, chunks));
    ASSERT_TRUE(reader.ReadProgramFile(path.c_str()));
    for (int i = 0; i < 9; ++i) {
      const IParam* expected = writer.GetParam(i);
      const IParam* actual = reader.GetParam(i);
      if (chunks)
        EXPECT_EQ(actual->Value(), expected->Value()) << i;
      else
        EXPECT_NEAR(actual->Normalized(), expected->Normalized(), 1e-6) << i;
    }
    EXPECT_STREQ(reader.PresetName(0), "Saved");
    EXPECT_TRUE(reader.GetPreset(0)->mInitialized);
    EXPECT_EQ(reader.Calls("presets changed").size(), 1u);
    std::remove(path.c_str());
  }
}

TEST(ProgramFile, RejectsForeignOrDamagedFilesAndKeepsTheParameters) {
  StateTestPlugin writer;
  SetTestValues(writer);
  std::vector<uint8_t> good;
  writer.MakeProgramFile(good);
  const std::string valid = AsString(good);

  auto rejected = [](std::string bytes) {
    StateTestPlugin reader;
    const bool result =
        reader.ReadProgramData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return !result && reader.GetParam(4)->Value() == 32.0;
  };
  std::string wrongMagic = valid;
  wrongMagic[0] = 'X';
  std::string wrongFormat = valid;
  wrongFormat[8] = 'X';
  std::string wrongVersion = valid;
  wrongVersion[15] = 2;
  std::string wrongCode = valid;
  wrongCode[19] = 'x';
  EXPECT_TRUE(rejected(wrongMagic));
  EXPECT_TRUE(rejected(wrongFormat));
  EXPECT_TRUE(rejected(wrongVersion));
  EXPECT_TRUE(rejected(wrongCode));
  EXPECT_TRUE(rejected(valid.substr(0, 55)));
  EXPECT_TRUE(rejected(""));
  std::string chunkInParamPlugin = valid;
  chunkInParamPlugin.replace(8, 4, "FPCh");
  EXPECT_TRUE(rejected(chunkInParamPlugin));

  StateTestPlugin reader;
  EXPECT_FALSE(reader.ReadProgramFile("/nonexistent/dir/file.fxp"));
  EXPECT_FALSE(reader.ReadProgramFile(""));
  EXPECT_FALSE(reader.ReadProgramFile(nullptr));
}

TEST(ProgramFile, ShortOrNonNumericValuesLeaveTheirParametersAlone) {
  StateTestPlugin writer;
  SetTestValues(writer);
  std::vector<uint8_t> image;
  writer.MakeProgramFile(image);
  // The value of parameter 5 becomes a NaN, and the file ends after parameter 6.
  Image nan;
  nan.BE(0x7FC00000);
  std::memcpy(&image[56 + 5 * 4], nan.bytes.data(), 4);
  image.resize(56 + 7 * 4);

  StateTestPlugin reader;
  ASSERT_TRUE(reader.ReadProgramData(image.data(), image.size()));
  EXPECT_NEAR(reader.GetParam(4)->Value(), 64.5, 1e-3);
  EXPECT_EQ(reader.GetParam(5)->Value(), 50.0);
  EXPECT_NEAR(reader.GetParam(6)->Value(), 0.3, 1e-6);
  EXPECT_EQ(reader.GetParam(7)->Value(), 100.0);
}

TEST(ProgramFile, ATruncatedChunkIsReportedAsFailure) {
  StateTestPlugin writer(StateTestConfig(9, 1, true));
  SetTestValues(writer);
  std::vector<uint8_t> image;
  writer.MakeProgramFile(image);
  image.resize(image.size() - 4);
  StateTestPlugin reader(StateTestConfig(9, 1, true));
  EXPECT_FALSE(reader.ReadProgramData(image.data(), image.size()));
}

TEST(ProgramFile, WritersReportFilesThatCannotBeWrittenInFull) {
  StateTestPlugin plugin;
  EXPECT_FALSE(plugin.WriteProgramFile(nullptr));
  EXPECT_FALSE(plugin.WriteProgramFile(""));
  EXPECT_FALSE(plugin.WriteProgramFile("/nonexistent/dir/file.fxp"));
  EXPECT_FALSE(plugin.WriteBankFile("/nonexistent/dir/file.fxb"));
  if (std::FILE* full = std::fopen("/dev/full", "wb")) {
    std::fclose(full);
    EXPECT_FALSE(plugin.WriteProgramFile("/dev/full"));
    EXPECT_FALSE(plugin.WriteBankFile("/dev/full"));
  }
}

TEST(BankFile, ParameterFormLayout) {
  StateTestPlugin plugin(StateTestConfig(9, 2));
  SetTestValues(plugin);
  plugin.AddPresetFromState("One");
  std::vector<uint8_t> image;
  ASSERT_TRUE(plugin.MakeBankFile(image));
  Image expected;
  expected.Text("CcnK").BE(0).Text("FxBk").BE(2).BE(kOfzo).BE(10105).BE(2).BE(0).Zeros(124);
  expected.Text("CcnK").BE(0).Text("FxCk").BE(1).BE(kOfzo).BE(10105).BE(9).Name("One");
  for (int i = 0; i < 9; ++i)
    expected.BEFloat(static_cast<float>(plugin.GetParam(i)->Normalized()));
  // The unused preset has no stored values: each counts as 0.
  expected.Text("CcnK").BE(0).Text("FxCk").BE(1).BE(kOfzo).BE(10105).BE(9).Name("empty");
  for (int i = 0; i < 9; ++i)
    expected.BEFloat(0.0f);
  EXPECT_TRUE(AsString(image) == expected.bytes);
}

TEST(BankFile, ChunkFormLayout) {
  StateTestPlugin plugin(StateTestConfig(9, 2, true));
  plugin.AddPresetFromState("One");
  std::vector<uint8_t> image;
  ASSERT_TRUE(plugin.MakeBankFile(image));
  IByteChunk presets;
  plugin.WritePresets(presets);
  Image expected;
  expected.Text("CcnK").BE(8 + presets.Size() + 160).Text("FBCh").BE(2).BE(kOfzo).BE(10105);
  expected.BE(2).BE(0).Zeros(124).BE(8 + presets.Size()).Text("tffp").Raw("\0\0\1\0", 4);
  expected.Raw(presets.GetData(), static_cast<size_t>(presets.Size()));
  EXPECT_TRUE(AsString(image) == expected.bytes);
}

TEST(BankFile, BothFormsRoundTripThroughAFile) {
  for (bool chunks : {false, true}) {
    StateTestPlugin writer(StateTestConfig(9, 2, chunks));
    writer.GetParam(5)->SetValue(20.0);
    writer.AddPresetFromState("Dry");
    writer.GetParam(5)->SetValue(95.0);
    writer.AddPresetFromState("Soaked");
    writer.RecallPreset(1);
    const std::string path = TempPath("bank.fxb");
    ASSERT_TRUE(writer.WriteBankFile(path.c_str()));

    StateTestPlugin reader(StateTestConfig(9, 2, chunks));
    ASSERT_TRUE(reader.ReadBankFile(path.c_str())) << chunks;
    EXPECT_STREQ(reader.PresetName(0), "Dry");
    EXPECT_STREQ(reader.PresetName(1), "Soaked");
    EXPECT_NEAR(reader.GetParam(5)->Value(), chunks ? 20.0 : 95.0, 1e-4);
    EXPECT_TRUE(reader.RecallPreset(0));
    EXPECT_NEAR(reader.GetParam(5)->Value(), 20.0, 1e-4);
    EXPECT_EQ(reader.Calls("presets changed").size(), 1u);
    std::remove(path.c_str());
  }
}

TEST(BankFile, RecordsWithWrongCountsOrTruncationStopTheReadWithFailure) {
  StateTestPlugin writer(StateTestConfig(9, 2));
  writer.AddPresetFromState("One");
  std::vector<uint8_t> image;
  writer.MakeBankFile(image);
  const std::string valid = AsString(image);

  auto read = [](const std::string& bytes) {
    StateTestPlugin reader(StateTestConfig(9, 2));
    return reader.ReadBankData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  };
  EXPECT_TRUE(read(valid));
  std::string wrongParamCount = valid;
  wrongParamCount[156 + 27] = 8;
  EXPECT_FALSE(read(wrongParamCount));
  std::string negativePrograms = valid;
  negativePrograms[24] = '\xFF';
  EXPECT_FALSE(read(negativePrograms));
  std::string wrongCode = valid;
  wrongCode[16] = 'x';
  EXPECT_FALSE(read(wrongCode));
  EXPECT_FALSE(read(valid.substr(0, valid.size() - 1)));
  EXPECT_FALSE(read(valid.substr(0, 150)));
  // More programs than presets: the extra ones are not read.
  std::string manyPrograms = valid;
  manyPrograms[27] = 100;
  EXPECT_TRUE(read(manyPrograms));
}

TEST(BankFile, AChunkBankWithHostileNameLengthFails) {
  StateTestPlugin writer(StateTestConfig(9, 1, true));
  writer.AddPresetFromState("One");
  std::vector<uint8_t> image;
  writer.MakeBankFile(image);
  const uint8_t huge[4] = {0xFF, 0xFF, 0xFF, 0x7F};
  std::memcpy(&image[168], huge, 4);
  StateTestPlugin reader(StateTestConfig(9, 1, true));
  EXPECT_FALSE(reader.ReadBankData(image.data(), image.size()));
  EXPECT_STREQ(reader.PresetName(0), "user preset 1");
}
