#pragma once
// Stand-ins for the two Windows lookups of the one-time copy of declarations
// left by an earlier install. No Qt here.
//
// "ProgramFilesDir" (on Windows a registry value under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion) is taken from,
// in this order:
//   1. the environment variable KESTRANA_PROGRAMFILESDIR, when it is set
//      (even to ""), so that tests and odd installs can point it anywhere;
//   2. the line "ProgramFilesDir=<folder>" of the settings file
//      $XDG_CONFIG_HOME/kestrana/platform.ini (~/.config/kestrana/platform.ini
//      when XDG_CONFIG_HOME is unset);
//   3. otherwise "" (no earlier install).
#include <optional>
#include <string>
#include <string_view>

namespace kestrana {

std::string GetProgramFilesDir();

// The value of `name` in a settings text of "name=value" lines; names are
// compared without regard to letter case, blanks around both are dropped,
// lines starting with "#" or ";" are comments, the first match wins.
std::optional<std::string> FindSetting(std::string_view settingsText, std::string_view name);

// The user's login name with every "." removed, cut to 254 characters;
// "Unknown" when it cannot be obtained.
std::string GetLoginName();

// The cleaning GetLoginName applies to a raw name: cut to 254 characters
// (UTF-8 sequences are kept whole), then every "." removed.
std::string CleanLoginName(std::string_view raw);

}  // namespace kestrana
