#pragma once

#include "member_name.h"
#include "runtime_failure.h"

#include <QHash>

#include <QList>
#include <QString>
#include <climits>

namespace quorvel {

// An indexed family of controls (Image1(id), Image2(k), ...): a member is found by its index, and
// an index that the family lacks is a run-time failure.
template <typename Control> class ControlFamily {
public:
    explicit ControlFamily(const char *name) : name_(name) {}

    void add(int index, Control *control)
    {
        members_.insert(index, control);
        order_.append(control);
    }

    Control &operator()(long long index) const
    {
        const auto it = members_.constFind(static_cast<int>(index));
        if (index < INT_MIN || index > INT_MAX || it == members_.constEnd())
            raiseFailure(FailureKind::IndexOutOfRange, memberName(name_, index));
        return **it;
    }

    bool contains(long long index) const
    {
        return index >= INT_MIN && index <= INT_MAX && members_.contains(static_cast<int>(index));
    }
    // The members in the order they were added.
    const QList<Control *> &members() const { return order_; }

private:
    const char *name_;
    QHash<int, Control *> members_;
    QList<Control *> order_;
};

} // namespace quorvel
