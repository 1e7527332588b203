#pragma once

#include "cli/CliCommand.h"

#include <memory>
#include <vector>

// Every command of lotmark-cli, in the order --help lists them.
std::vector<std::unique_ptr<CliCommand>> allCommands();

// Runs lotmark-cli with its arguments (without the program name).
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);
