// The module loader of tools/Vst3Module.h as a Windows host loads a module: LoadLibraryW on
// the bundle's DLL, InitDll, GetPluginFactory; and on destruction the factory released,
// ExitDll and FreeLibrary. Windows' entry points take no module handle, so the entry and exit
// members stay null: the loader calls them itself.
#include "Vst3Module.h"

#include "WideText.h"

#include <windows.h>

namespace {

using InitFunction = bool(PLUGIN_API*)();

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// GetProcAddress returns a generic function pointer; the module's export has the type given.
template <class Function> Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length ? std::wstring(text, length) : L"";
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
    message.pop_back();
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + Utf8FromWide(message));
}

} // namespace

std::string Vst3Module::binaryPathOf(const std::string& bundlePath) {
  std::string bundle = bundlePath;
  while (bundle.size() > 1 && IsSeparator(bundle.back()))
    bundle.pop_back();
  std::size_t nameStart = bundle.size();
  while (nameStart > 0 && !IsSeparator(bundle[nameStart - 1]))
    --nameStart;
  std::string name = bundle.substr(nameStart);
  const std::string suffix = ".vst3";
  if (name.size() > suffix.size() &&
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
    name.resize(name.size() - suffix.size());
  return bundle + "/Contents/x86_64-win/" + name + ".vst3";
}

Vst3Module::Vst3Module(const std::string& bundlePath) : binary(binaryPathOf(bundlePath)) {
  std::wstring path = WideFromUtf8(binary);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) {
    errorText = SystemMessage(GetLastError());
    return;
  }
  libraryHandle = module;
  const auto initDll = Export<InitFunction>(module, "InitDll");
  getPluginFactory = Export<FactoryFunction>(module, "GetPluginFactory");
  if (!initDll || !Export<InitFunction>(module, "ExitDll") || !getPluginFactory) {
    errorText = "missing entry point";
    return;
  }
  if (!initDll()) {
    errorText = "InitDll failed";
    return;
  }
  entered = true;
  factoryPtr = getPluginFactory();
  if (!factoryPtr) errorText = "GetPluginFactory returned null";
}

Vst3Module::~Vst3Module() {
  const auto module = static_cast<HMODULE>(libraryHandle);
  if (factoryPtr) factoryPtr->release();
  if (entered) Export<InitFunction>(module, "ExitDll")();
  if (module) FreeLibrary(module);
}
