#pragma once

#include <string>
#include <utility>
#include <vector>

// Writes a table of numbers as CSV: one header line, then one line per row. `digits` is the
// number of significant digits kept. Throws std::runtime_error when the file cannot be written.
void WriteCsv(const std::string& path, const std::vector<std::string>& header,
              const std::vector<std::vector<double>>& rows, int digits = 8);

// Writes "key,value" lines under a "key,value" header; values with a comma, a quote or a line
// break are quoted as CSV requires.
void WriteKeyValues(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& entries);

// One CSV field, quoted when it has to be.
std::string CsvField(const std::string& text);
