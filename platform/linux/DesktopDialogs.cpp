#include "DesktopDialogs.h"

#include "ExternalTools.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace DesktopDialogs {

namespace {

using Args = std::vector<std::string>;

bool IsZenity() {
  return std::string(DialogTool()) == "zenity";
}

int MessageWithZenity(const std::string& title, const std::string& message, int kind) {
  Args args = {"zenity", "--title", title, "--text", message, "--no-markup"};
  auto question = [&](const char* ok, const char* cancel) {
    args.insert(args.end(), {"--question", "--ok-label", ok, "--cancel-label", cancel});
  };
  switch (kind) {
  case 0:
    args.push_back("--info");
    ExternalTools::Run(args);
    return 1;
  case 1:
    question("OK", "Cancel");
    return ExternalTools::Run(args).exitCode == 0 ? 1 : 2;
  case 3: {
    question("Yes", "Cancel");
    args.insert(args.end(), {"--extra-button", "No"});
    const ExternalTools::Result r = ExternalTools::Run(args);
    if (r.exitCode == 0) return 6;
    return r.output == "No" ? 7 : 2;
  }
  case 4:
    question("Yes", "No");
    return ExternalTools::Run(args).exitCode == 0 ? 6 : 7;
  default:
    question("Retry", "Cancel");
    return ExternalTools::Run(args).exitCode == 0 ? 4 : 2;
  }
}

int MessageWithKdialog(const std::string& title, const std::string& message, int kind) {
  Args args = {"kdialog", "--title", title};
  switch (kind) {
  case 0:
    args.insert(args.end(), {"--msgbox", message});
    ExternalTools::Run(args);
    return 1;
  case 1:
    args.insert(args.end(), {"--yesno", message, "--yes-label", "OK", "--no-label", "Cancel"});
    return ExternalTools::Run(args).exitCode == 0 ? 1 : 2;
  case 3: {
    args.insert(args.end(), {"--yesnocancel", message, "--yes-label", "Yes", "--no-label", "No",
                             "--cancel-label", "Cancel"});
    const int code = ExternalTools::Run(args).exitCode;
    return code == 0 ? 6 : code == 1 ? 7 : 2;
  }
  case 4:
    args.insert(args.end(), {"--yesno", message});
    return ExternalTools::Run(args).exitCode == 0 ? 6 : 7;
  default:
    args.insert(args.end(), {"--yesno", message, "--yes-label", "Retry", "--no-label", "Cancel"});
    return ExternalTools::Run(args).exitCode == 0 ? 4 : 2;
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool ParseColor(const std::string& text, IColor& color) {
  int r = 0, g = 0, b = 0;
  double a = 1.0;
  if (std::sscanf(text.c_str(), "rgba(%d,%d,%d,%lf)", &r, &g, &b, &a) == 4 ||
      std::sscanf(text.c_str(), "rgb(%d,%d,%d)", &r, &g, &b) == 3) {
    color = IColor(static_cast<int>(a * 255.0), r, g, b);
    return true;
  }
  unsigned int rgb = 0;
  if (text.size() == 7 && std::sscanf(text.c_str(), "#%6x", &rgb) == 1) {
    color = IColor(color.A, static_cast<int>((rgb >> 16) & 0xFF),
                   static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
    return true;
  }
  return false;
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return stat(ExpandHome(path).c_str(), &st) == 0;
}

} // namespace

const char* DialogTool() {
  if (ExternalTools::IsInstalled("zenity")) return "zenity";
  if (ExternalTools::IsInstalled("kdialog")) return "kdialog";
  return "";
}

std::string ExpandHome(const std::string& path) {
  const char* home = std::getenv("HOME");
  if (!home || path.empty() || path[0] != '~') return path;
  if (path.size() == 1 || path[1] == '/') return home + path.substr(1);
  return path;
}

int ShowMessage(const char* title, const char* message, int kind) {
  const std::string t = title ? title : "";
  const std::string m = message ? message : "";
  if (kind != 0 && kind != 1 && kind != 3 && kind != 4 && kind != 5) return 2;
  if (IsZenity()) return MessageWithZenity(t, m, kind);
  if (*DialogTool()) return MessageWithKdialog(t, m, kind);
  return 2;
}

void ChooseFile(std::string& fileName, std::string& folder, int action, const char* extensions) {
  const std::string start = ExpandHome(WithSlash(folder)) + fileName;
  fileName.clear();
  std::vector<std::string> patterns;
  std::istringstream list(extensions ? extensions : "");
  for (std::string ext; list >> ext;)
    patterns.push_back("*." + ext);
  std::string filter;
  for (const std::string& p : patterns)
    filter += (filter.empty() ? "" : " ") + p;

  Args args;
  if (IsZenity()) {
    args = {"zenity", "--file-selection", "--filename", start};
    if (action == 1) args.insert(args.end(), {"--save", "--confirm-overwrite"});
    if (!filter.empty()) args.insert(args.end(), {"--file-filter", filter});
  } else if (*DialogTool()) {
    args = {"kdialog", action == 1 ? "--getsavefilename" : "--getopenfilename", start};
    if (!filter.empty()) args.push_back(filter);
  } else {
    return;
  }
  const ExternalTools::Result r = ExternalTools::Run(args);
  if (r.exitCode != 0 || r.output.empty()) return;
  fileName = r.output;
  folder = FolderOf(r.output);
}

void ChooseDirectory(std::string& folder) {
  if (folder.empty()) folder = "~/Desktop";
  const std::string start = WithSlash(ExpandHome(folder));
  Args args;
  if (IsZenity())
    args = {"zenity",  "--file-selection",   "--directory",
            "--title", "Choose a Directory", "--filename",
            start};
  else if (*DialogTool())
    args = {"kdialog", "--getexistingdirectory", start, "--title", "Choose a Directory"};
  const ExternalTools::Result r = args.empty() ? ExternalTools::Result{} : ExternalTools::Run(args);
  folder = (r.exitCode == 0 && !r.output.empty()) ? WithSlash(r.output) : std::string();
}

bool AskForColor(IColor& color, const char* prompt, bool& picked) {
  picked = false;
  char hex[8];
  std::snprintf(hex, sizeof(hex), "#%02x%02x%02x", color.R & 0xFF, color.G & 0xFF, color.B & 0xFF);
  Args args;
  if (IsZenity()) {
    char rgba[64];
    std::snprintf(rgba, sizeof(rgba), "rgba(%d,%d,%d,%.3f)", color.R, color.G, color.B,
                  color.A / 255.0);
    args = {"zenity", "--color-selection", "--show-palette",    "--color",
            rgba,     "--title",           prompt ? prompt : ""};
  } else if (*DialogTool()) {
    args = {"kdialog", "--getcolor", "--default", hex, "--title", prompt ? prompt : ""};
  } else {
    return false;
  }
  const ExternalTools::Result r = ExternalTools::Run(args);
  picked = r.exitCode == 0 && ParseColor(r.output, color);
  return true;
}

bool OpenLinkOrPath(const char* text) {
  const std::string s = text ? text : "";
  const bool web = s.find("http") != std::string::npos;
  if (s.empty()) return true;
  return ExternalTools::Launch({"xdg-open", web ? s : ExpandHome(s)});
}

bool RevealInFileBrowser(const char* path, bool select) {
  const std::string p = path ? path : "";
  if (p.empty() || !PathExists(p)) return false;
  if (!select) return ExternalTools::Launch({"xdg-open", ExpandHome(p)});
  const std::string folder = FolderOf(ExpandHome(p));
  return !folder.empty() && ExternalTools::Launch({"xdg-open", folder});
}

} // namespace DesktopDialogs
