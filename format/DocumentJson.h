#pragma once

#include "format/CPFile.h"

#include <QJsonObject>

// The document as JSON, under the model's own property names (see docs/cli.md). The CPFile's
// Version, Status and comments travel with it.
namespace DocumentJson {

QJsonObject toJson(const CPFile& file);

// Fills file.Document() and the file's texts from JSON. Returns false with a message in
// *error when a field has the wrong type or a number is out of its range.
bool fromJson(const QJsonObject& json, CPFile& file, QString* error);

} // namespace DocumentJson
