#pragma once

#include "runtime_failure.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace quorvel {

// A fixed-size table indexed from Lo to Hi inclusive, as the classic runtime's arrays are:
// an index outside the range is a run-time failure that names the table and the index.
template <typename T, int Lo, int Hi> class CheckedArray {
    static_assert(Lo <= Hi);

public:
    explicit CheckedArray(const char *name, const T &initial = T())
        : name_(name), items_(static_cast<std::size_t>(Hi - Lo + 1), initial)
    {
    }

    static constexpr int lowerBound() { return Lo; }
    static constexpr int upperBound() { return Hi; }

    T &operator()(long long i) { return items_[slot(i)]; }
    const T &operator()(long long i) const { return items_[slot(i)]; }

private:
    std::size_t slot(long long i) const
    {
        if (i < Lo || i > Hi)
            raiseFailure(FailureKind::IndexOutOfRange,
                         QStringLiteral("%1(%2)").arg(QLatin1String(name_)).arg(i));
        return static_cast<std::size_t>(i - Lo);
    }

    const char *name_;
    std::vector<T> items_;
};

// A two-dimensional table, (i, j) with i in Lo1..Hi1 and j in Lo2..Hi2.
template <typename T, int Lo1, int Hi1, int Lo2, int Hi2> class CheckedArray2D {
    static_assert(Lo1 <= Hi1 && Lo2 <= Hi2);
    static constexpr std::size_t kWidth = static_cast<std::size_t>(Hi1 - Lo1 + 1);

public:
    explicit CheckedArray2D(const char *name, const T &initial = T())
        : name_(name), items_(kWidth * static_cast<std::size_t>(Hi2 - Lo2 + 1), initial)
    {
    }

    T &operator()(long long i, long long j) { return items_[slot(i, j)]; }
    const T &operator()(long long i, long long j) const { return items_[slot(i, j)]; }

private:
    std::size_t slot(long long i, long long j) const
    {
        if (i < Lo1 || i > Hi1 || j < Lo2 || j > Hi2)
            raiseFailure(FailureKind::IndexOutOfRange,
                         QStringLiteral("%1(%2, %3)").arg(QLatin1String(name_)).arg(i).arg(j));
        return static_cast<std::size_t>(j - Lo2) * kWidth + static_cast<std::size_t>(i - Lo1);
    }

    const char *name_;
    std::vector<T> items_;
};

} // namespace quorvel
