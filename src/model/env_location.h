// Where LapEnv.dat lives: the folder named by SEGMARK_ENV_DIR; else the
// executable's folder when it is writable and not a system folder (/usr and
// below, /bin, /sbin); else the per-user configuration folder
// ($XDG_CONFIG_HOME/Segmark, or ~/.config/Segmark).
#pragma once

#include <string>

// The folder of the running executable ("" when it cannot be found).
std::string ExecutableFolder();

// The folder for LapEnv.dat, by the rule above. ExeFolder is the executable's
// folder (ExecutableFolder() unless a caller knows better).
std::string LapEnvFolder(const std::string& ExeFolder);

// LapEnvFolder(ExeFolder) + "/LapEnv.dat".
std::string LapEnvPath(const std::string& ExeFolder);
