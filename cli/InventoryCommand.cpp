#include "cli/InventoryCommand.h"

#include "cli/LoadedDocument.h"
#include "plan/CoordinateInventory.h"

int InventoryCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1Char('-')))
        return usage(err);
    const DocumentPtr document = loadDocumentOrReport(arguments.first(), err);
    if (!document)
        return Refused;
    out << CoordinateInventory::fromLand(*document->Land()).toCsv();
    out.flush();
    return Done;
}
