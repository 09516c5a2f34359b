#pragma once
// A small location database for the window tests, written with the project's builder into a
// folder: databases "Northern" and "Southern" (with one place that has no region) and a
// database "Missing" whose file is then removed.

#include <QString>

namespace qdx::test {

void WriteTestLocations(const QString& folder);

}  // namespace qdx::test
