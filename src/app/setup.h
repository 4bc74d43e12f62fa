#pragma once

#include <QString>

// Headless set-up used by the scripts: lanting --init-local and lanting --init-server HOST|FILE.
bool initLocalDatabase(const QString &file, QString *error);
bool initServerDatabase(const QString &serverField, QString *error);
// Handles the set-up options; returns the exit code, or -1 when the arguments ask for the window.
int runSetupCommand(const QStringList &arguments);
