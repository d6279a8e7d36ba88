#pragma once

#include "member_name.h"
#include "runtime_failure.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace quorvel {

// The entries of a checked table: every entry holds `initial` until it is first reached for
// writing, and only the entries up to the highest one reached so far are stored. The room for all
// of them is reserved at once, untouched, so that an entry never moves: a reference to it stays
// valid for the table's life. A large table of which only the first part is filled (the character
// rows) thus costs the memory of that part, and no time for the rest.
template <typename T> class CheckedStorage {
public:
    CheckedStorage(std::size_t size, const T &initial) : initial_(initial) { items_.reserve(size); }

    T &at(std::size_t slot, std::size_t storeUpTo)
    {
        if (slot >= items_.size())
            items_.resize(storeUpTo, initial_);
        return items_[slot];
    }
    const T &at(std::size_t slot) const { return slot < items_.size() ? items_[slot] : initial_; }

private:
    T initial_;
    std::vector<T> items_;
};

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

    T &operator()(long long i)
    {
        const std::size_t s = slot(i);
        return items_.at(s, s + 1);
    }
    const T &operator()(long long i) const { return items_.at(slot(i)); }

private:
    std::size_t slot(long long i) const
    {
        if (i < Lo || i > Hi)
            raiseFailure(FailureKind::IndexOutOfRange, memberName(name_, i));
        return static_cast<std::size_t>(i - Lo);
    }

    const char *name_;
    CheckedStorage<T> items_;
};

// A two-dimensional table, (i, j) with i in Lo1..Hi1 and j in Lo2..Hi2, stored by whole values of j
// (a character row is (1..10, row)).
template <typename T, int Lo1, int Hi1, int Lo2, int Hi2> class CheckedArray2D {
    static_assert(Lo1 <= Hi1 && Lo2 <= Hi2);
    static constexpr std::size_t kWidth = static_cast<std::size_t>(Hi1 - Lo1 + 1);

public:
    explicit CheckedArray2D(const char *name, const T &initial = T())
        : name_(name), items_(kWidth * static_cast<std::size_t>(Hi2 - Lo2 + 1), initial)
    {
    }

    T &operator()(long long i, long long j)
    {
        const std::size_t s = slot(i, j);
        return items_.at(s, (s / kWidth + 1) * kWidth);
    }
    const T &operator()(long long i, long long j) const { return items_.at(slot(i, j)); }

private:
    std::size_t slot(long long i, long long j) const
    {
        if (i < Lo1 || i > Hi1 || j < Lo2 || j > Hi2)
            raiseFailure(FailureKind::IndexOutOfRange,
                         QStringLiteral("%1(%2, %3)").arg(QLatin1String(name_)).arg(i).arg(j));
        return static_cast<std::size_t>(j - Lo2) * kWidth + static_cast<std::size_t>(i - Lo1);
    }

    const char *name_;
    CheckedStorage<T> items_;
};

} // namespace quorvel
