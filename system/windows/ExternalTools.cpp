#include "ExternalTools.h"

#include "Utf16.h"

#include <windows.h>

#include <shellapi.h>

namespace ExternalTools {

namespace {

bool NeedsQuotes(const std::wstring& argument) {
  return argument.empty() || argument.find_first_of(L" \t\n\v\"") != std::wstring::npos;
}

// ShellExecuteW reports success as a "handle" above 32, for old programs' sake.
bool ShellStarted(HINSTANCE result) {
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool ToWide(const std::string& text, std::wstring& wide) {
  return !text.empty() && text.find('\0') == std::string::npos && Utf8ToUtf16(text, wide);
}

} // namespace

bool IsInstalled(const char* name) {
  std::wstring wide;
  if (name == nullptr || !ToWide(name, wide)) return false;
  wchar_t found[MAX_PATH];
  const DWORD length = SearchPathW(nullptr, wide.c_str(), L".exe", MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  const DWORD attributes = GetFileAttributesW(found);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments) {
  std::wstring line;
  for (const std::wstring& argument : arguments) {
    if (!line.empty()) line += L' ';
    if (!NeedsQuotes(argument)) {
      line += argument;
      continue;
    }
    line += L'"';
    size_t backslashes = 0;
    for (wchar_t c : argument) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      // Backslashes are literal unless a quote follows them: then each is doubled and the
      // quote escaped.
      line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
      backslashes = 0;
      line += c;
    }
    // Before the closing quote, every backslash is doubled so that it does not escape it.
    line.append(backslashes * 2, L'\\');
    line += L'"';
  }
  return line;
}

bool Launch(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  std::wstring program;
  if (!ToWide(argv[0], program)) return false;
  std::vector<std::wstring> arguments;
  for (size_t i = 1; i < argv.size(); ++i) {
    std::wstring argument;
    if (argv[i].find('\0') != std::string::npos || !Utf8ToUtf16(argv[i], argument)) return false;
    arguments.push_back(argument);
  }
  const std::wstring parameters = JoinCommandLine(arguments);
  return ShellStarted(ShellExecuteW(nullptr, L"open", program.c_str(),
                                    parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                                    SW_SHOWNORMAL));
}

bool OpenWithShell(const std::string& target) {
  std::wstring wide;
  if (!ToWide(target, wide)) return false;
  return ShellStarted(
      ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

} // namespace ExternalTools
