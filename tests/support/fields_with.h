#pragma once
// A builder's fields with the defaults, changed by `change`: the rows of the
// builder tests say only what differs.
#include <functional>

template <typename Fields>
Fields with(const std::function<void(Fields &)> &change)
{
    Fields f;
    change(f);
    return f;
}
