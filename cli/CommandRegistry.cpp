#include "cli/CommandRegistry.h"

#include "cli/BuildCommand.h"
#include "cli/CgxmlCommand.h"
#include "cli/CoordsCommand.h"
#include "cli/DumpCommand.h"
#include "cli/DxfCommand.h"
#include "cli/ExportDxfCommand.h"
#include "cli/ImportCgxmlCommand.h"
#include "cli/ImportDxfCommand.h"
#include "cli/InventoryCommand.h"
#include "cli/NomenclatureCommand.h"
#include "cli/PathsCommand.h"
#include "cli/PlanCommand.h"
#include "cli/SheetCommand.h"
#include "cli/SketchCommand.h"

std::vector<std::unique_ptr<CliCommand>> allCommands()
{
    std::vector<std::unique_ptr<CliCommand>> commands;
    commands.push_back(std::make_unique<DumpCommand>());
    commands.push_back(std::make_unique<BuildCommand>());
    commands.push_back(std::make_unique<CoordsCommand>());
    commands.push_back(std::make_unique<NomenclatureCommand>());
    commands.push_back(std::make_unique<SketchCommand>());
    commands.push_back(std::make_unique<SheetCommand>());
    commands.push_back(std::make_unique<DxfCommand>());
    commands.push_back(std::make_unique<ImportDxfCommand>());
    commands.push_back(std::make_unique<PathsCommand>());
    commands.push_back(std::make_unique<InventoryCommand>());
    commands.push_back(std::make_unique<PlanCommand>());
    commands.push_back(std::make_unique<ExportDxfCommand>());
    commands.push_back(std::make_unique<CgxmlCommand>());
    commands.push_back(std::make_unique<ImportCgxmlCommand>());
    return commands;
}

namespace {
void printHelp(QTextStream& out)
{
    out << "lotmark-cli: batch work on Lotmark property documents" << Qt::endl << Qt::endl;
    out << "usage: lotmark-cli COMMAND ARGUMENTS" << Qt::endl << Qt::endl;
    for (const auto& command : allCommands())
        out << "  " << command->name() << ' ' << command->synopsis() << Qt::endl;
    out << Qt::endl << "Exit codes: 0 done, 1 the input was refused, 2 usage." << Qt::endl;
}
} // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.isEmpty()) {
        printHelp(err);
        return CliCommand::Usage;
    }
    if (arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h")) {
        printHelp(out);
        return CliCommand::Done;
    }
    for (const auto& command : allCommands()) {
        if (command->name() == arguments.first())
            return command->run(arguments.mid(1), out, err);
    }
    err << "lotmark-cli: unknown command " << arguments.first() << Qt::endl;
    printHelp(err);
    return CliCommand::Usage;
}
