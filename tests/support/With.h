#pragma once

// A copy of value with one change applied, so that a table of cases says only what differs.
template <class T, class Change>
T With(T value, Change change) {
    change(value);
    return value;
}
