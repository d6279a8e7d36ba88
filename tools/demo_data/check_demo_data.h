#pragma once

#include "cp932.h"

#include <QString>

#include <string>
#include <vector>

namespace quorvel::demo {

// Reads the data set in outDir back from disk and checks its format and every fact of
// demo_data_facts.h; returns what is wrong (empty when all holds).
std::vector<std::string> checkDemoData(const QString &outDir, const Cp932Kanji &kanji);

} // namespace quorvel::demo
