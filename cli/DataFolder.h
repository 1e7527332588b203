#pragma once

#include <QString>

// The nomenclature folder a command reads: the one given with --data, else the one the program
// itself reads (beside it in a build or portable folder, the user's or the installed one once
// installed).
QString dataFolderOr(const QString& given);
