#include "app/SettingsFile.h"

SettingsFile::SettingsFile() = default;
