#pragma once

class SettingsFile {
public:
    SettingsFile();
};
