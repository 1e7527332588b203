#pragma once

#include <QString>

namespace TestPaths {
// tests/data of the source tree.
QString testData(const QString& relative = QString());
// The shared folder beside the checkout (nomenclatures); empty when it is absent.
QString shared(const QString& relative = QString());
} // namespace TestPaths
