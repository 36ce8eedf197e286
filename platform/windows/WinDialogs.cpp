#include "WinDialogs.h"

#include "WinText.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <sstream>
#include <vector>

namespace WinDialogs {

namespace {

// The longest path the wide file functions take.
constexpr DWORD kMaxPath = 32768;

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

} // namespace

int ShowMessage(HWND owner, const char* title, const char* message, int kind) {
  if (kind != MB_OK && kind != MB_OKCANCEL && kind != MB_YESNOCANCEL && kind != MB_YESNO &&
      kind != MB_RETRYCANCEL)
    return IDCANCEL;
  const int answer = MessageBoxW(owner, WinText::Widen(message).c_str(),
                                 WinText::Widen(title).c_str(), static_cast<UINT>(kind));
  return answer != 0 ? answer : IDCANCEL;
}

std::wstring FileFilter(const char* extensions) {
  std::istringstream list(extensions ? extensions : "");
  std::string patterns;
  for (std::string ext; list >> ext;)
    patterns += (patterns.empty() ? "*." : ";*.") + ext;
  std::wstring filter;
  if (!patterns.empty()) {
    filter += WinText::Widen("Files (" + patterns + ")");
    filter += L'\0';
    filter += WinText::Widen(patterns);
    filter += L'\0';
  }
  filter += L"All files";
  filter += L'\0';
  filter += L"*.*";
  filter += L'\0';
  return filter;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void ChooseFile(HWND owner, std::string& fileName, std::string& folder, int action,
                const char* extensions) {
  std::vector<wchar_t> buffer(kMaxPath, L'\0');
  const std::wstring start = WinText::Widen(fileName);
  fileName.clear();
  if (start.size() < buffer.size()) start.copy(buffer.data(), start.size());
  const std::wstring filter = FileFilter(extensions);
  const std::wstring initialDir = WinText::Widen(folder);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  BOOL ok = FALSE;
  if (action == 1) {
    ofn.Flags |= OFN_OVERWRITEPROMPT;
    ok = GetSaveFileNameW(&ofn);
  } else {
    ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    ok = GetOpenFileNameW(&ofn);
  }
  if (!ok) return;
  fileName = WinText::Narrow(buffer.data());
  folder = FolderOf(fileName);
}

void ChooseDirectory(HWND owner, std::string& folder) {
  const std::wstring title = WinText::Widen("Choose a folder");
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  folder.clear();
  LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
  if (!chosen) return;
  std::vector<wchar_t> path(kMaxPath, L'\0');
  if (SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
    folder = WithSeparator(WinText::Narrow(path.data()));
  CoTaskMemFree(chosen);
}

bool AskForColor(HWND owner, IColor& color) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW choice{};
  choice.lStructSize = sizeof(choice);
  choice.hwndOwner = owner;
  choice.rgbResult = RGB(color.R, color.G, color.B);
  choice.lpCustColors = custom;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&choice)) return false;
  color = IColor(color.A, GetRValue(choice.rgbResult), GetGValue(choice.rgbResult),
                 GetBValue(choice.rgbResult));
  return true;
}

bool OpenLinkOrPath(const char* text) {
  if (!text || !*text) return false;
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", WinText::Widen(text).c_str(), nullptr,
                                         nullptr, SW_SHOWNORMAL);
  // Anything above 32 is success; the rest are error numbers.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool RevealInFileBrowser(const char* path, bool select) {
  if (!path || !*path) return false;
  const std::wstring target = WinText::Widen(path);
  const std::wstring arguments =
      select ? L"/select,\"" + target + L"\"" : L"\"" + WinText::Widen(FolderOf(path)) + L"\"";
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace WinDialogs
