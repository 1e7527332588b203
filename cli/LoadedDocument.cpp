#include "cli/LoadedDocument.h"

#include "format/CPFile.h"

DocumentPtr loadDocumentOrReport(const QString& path, QTextStream& err)
{
    CPFile file(QStringLiteral("."));
    file.setCPFileName(path);
    Error error;
    if (!file.LoadCPFile(&error)) {
        err << path << ": " << error.text() << Qt::endl;
        return nullptr;
    }
    return file.Document();
}
