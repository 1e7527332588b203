#include "cli/InventoryCommand.h"

#include "cli/LoadedDocument.h"
#include "plan/CoordinateInventory.h"

InventoryCommand::InventoryCommand()
{
    commandLine().setPositional(QStringLiteral("FILE.CP"), QStringLiteral("The document whose contours are listed."));
}

int InventoryCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const DocumentPtr document = loadDocumentOrReport(line.positional().first(), err);
    if (!document)
        return Refused;
    out << CoordinateInventory::fromLand(*document->Land()).toCsv();
    out.flush();
    return Done;
}
