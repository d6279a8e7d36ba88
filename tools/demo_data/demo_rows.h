#pragma once

#include "cp932.h"

#include <QString>

#include <vector>

namespace quorvel::demo {

struct DemoRow {
    int code = 0;
    std::vector<int> elements; // the element columns in file order, before the 9999 padding
    int strokes = 0;
    QString kanji;            // "9999" for none
    bool necSelected = false; // write the kanji with their NEC-selected codes
};

struct ElementRecord {
    int element = 0;
    QString first;  // a code, "0" or empty
    QString second; // a code, "0" or empty
};

struct Glyph {
    int code = 0;
    std::vector<int> elements;
};

struct DemoData {
    std::vector<DemoRow> rows;           // sorted by code
    std::vector<ElementRecord> forms;    // in file order, 9999 last
    std::vector<Glyph> glyphsWithoutRow; // form codes that no row holds
};

// The whole data set, built so that demo_data_facts.h holds; the same on every run.
DemoData buildDemoData(const Cp932Kanji &kanji);

} // namespace quorvel::demo
