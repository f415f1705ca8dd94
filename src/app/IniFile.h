#pragma once

class IniFile {
public:
    IniFile();
};
