#pragma once

#include <QAnyStringView>
#include <QString>

namespace quorvel {

// The name of a member of an indexed family of controls or of a checked array, as failures and
// object names write it: Image1(3).
inline QString memberName(QAnyStringView family, long long index)
{
    return QStringLiteral("%1(%2)").arg(family.toString()).arg(index);
}

} // namespace quorvel
