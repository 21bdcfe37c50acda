// Where the running program's executable lies, and the files kept beside it.
#pragma once

#include <string>

// Full path of the executable file of the running program ("D:\Tools\vorlix.exe");
// "" when the platform cannot tell.
std::string ExecutablePath();

// A file of the program beside its executable, named after it: the same directory,
// the executable's name without its extension in lower case, then `extension`
// ("D:\Tools\Renamer.exe", ".ini" -> "D:\Tools\renamer.ini"). Both "\" and "/"
// separate directories. The settings file and the help page are found this way.
std::string PathBesideExecutable(const std::string& exePath, const std::string& extension);
