#pragma once

#include <QString>

namespace quorvel {

// Where a field stands in a data file, as failure messages name it.
struct SourcePlace {
    QString file; // the file name, without its folder
    int record = 0;
    int field = 0;
    int line = 0; // the line the field begins on

    QString text() const
    {
        return QStringLiteral("\"%1\" %2 件目の %3 番目の項目 (%4 行目)")
            .arg(file)
            .arg(record)
            .arg(field)
            .arg(line);
    }
};

} // namespace quorvel
