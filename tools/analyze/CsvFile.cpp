#include "CsvFile.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

File Open(const std::string& path) {
  File f(std::fopen(path.c_str(), "w"));
  if (!f) throw std::runtime_error("cannot write " + path);
  return f;
}

// A full disk shows only when the buffered rest is flushed.
void Close(File f, const std::string& path) {
  const bool failed = std::ferror(f.get()) != 0;
  if (std::fclose(f.release()) != 0 || failed) throw std::runtime_error("cannot write " + path);
}

void PutLine(std::FILE* f, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) std::fputc(',', f);
    std::fputs(CsvField(fields[i]).c_str(), f);
  }
  std::fputc('\n', f);
}

} // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void WriteCsv(const std::string& path, const std::vector<std::string>& header,
              const std::vector<std::vector<double>>& rows, int digits) {
  File f = Open(path);
  PutLine(f.get(), header);
  for (const std::vector<double>& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i) std::fputc(',', f.get());
      if (std::isfinite(row[i]))
        std::fprintf(f.get(), "%.*g", digits, row[i]);
      else
        std::fputs(std::isnan(row[i]) ? "nan" : (row[i] > 0 ? "inf" : "-inf"), f.get());
    }
    std::fputc('\n', f.get());
  }
  Close(std::move(f), path);
}

void WriteKeyValues(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
  File f = Open(path);
  PutLine(f.get(), {"key", "value"});
  for (const auto& [key, value] : entries)
    PutLine(f.get(), {key, value});
  Close(std::move(f), path);
}
