#pragma once

#include <string>

// The freedesktop.org base and user directories, read the way xdg-user-dir reads them.

// $HOME, else the password database's entry for this user; "" when neither is known.
std::string UserHomePath();

// $XDG_CONFIG_HOME / $XDG_DATA_HOME when set to an absolute path, else ~/.config and
// ~/.local/share; "" without a home folder.
std::string XdgConfigHome();
std::string XdgDataHome();

// The first absolute entry of $XDG_DATA_DIRS, else /usr/local/share.
std::string XdgSystemDataDir();

// The value of key (e.g. "XDG_MUSIC_DIR") in the text of a user-dirs.dirs file, with a
// leading $HOME replaced by home; "" when the key is absent or its value is not a usable
// path. A later assignment overrides an earlier one, as when the shell reads the file.
std::string XdgUserDirFromText(const std::string& text, const std::string& key,
                               const std::string& home);

// The user directory named by key from <config home>/user-dirs.dirs, else
// <home>/<fallbackName>; "" without a home folder.
std::string XdgUserDir(const std::string& key, const std::string& fallbackName);
