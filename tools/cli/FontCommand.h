#pragma once

#include <QStringList>

#include <cstdio>

// `vexel font check|export|import`: LED font files for scripts and users'
// own fonts. Returns the tool's exit status (0, 1 refused or broken, 2 bad usage).
int runFontCommand(const QStringList& args, std::FILE* out, std::FILE* err);

// The lines of `vexel --help` for the font command.
extern const char* const FontCommandUsage;
