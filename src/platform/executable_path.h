// Where the running program's executable lies.
#pragma once

#include <string>

// Full path of the executable file of the running program ("D:\Tools\vorlix.exe");
// "" when the platform cannot tell.
std::string ExecutablePath();
