#pragma once

// What a call that must fail threw: the error's number and description, or 0 and "" when it
// did not fail at all (which the caller's comparison then reports).
#include "base/Error.h"

#include <functional>

inline Error failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Failure& failure) {
        return failure.error();
    }
    return Error{};
}

inline int failureNumber(const std::function<void()>& call)
{
    return failureOf(call).number;
}

inline QString failureText(const std::function<void()>& call)
{
    return failureOf(call).description;
}
