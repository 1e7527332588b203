#pragma once

#include <QString>

// Where tests find their files: one place, so that a test run from ctest, from a shell or from
// another folder finds the same ones.
namespace TestPaths {
// tests/data of the source tree (LOTMARK_TEST_DATA when set).
QString testData(const QString& relative = QString());
// A file of the source tree: "samples/...", "docs/examples/...", "Help/Manual.mht".
QString source(const QString& relative);
// One of the sample documents shipped in samples/.
QString sample(const QString& name);
// The shared folder beside the checkout (nomenclatures); empty when it is absent.
QString shared(const QString& relative = QString());
} // namespace TestPaths
