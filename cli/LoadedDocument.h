#pragma once

#include "model/Document.h"

#include <QTextStream>

// The document of a .CP file for a command that only reads it; null (with the failure printed
// on err) when the file cannot be read whole.
DocumentPtr loadDocumentOrReport(const QString& path, QTextStream& err);
