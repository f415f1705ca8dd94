#include "app/IniFile.h"

IniFile::IniFile() = default;
