// A value or an OsError: how seam calls that produce something report failure without
// exceptions (the shape of llvm::ErrorOr).
#pragma once

#include <cassert>
#include <utility>

#include "platform/OsError.h"

namespace vestra::platform {

template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
    Result(OsError error) : error_(error) { assert(error != OsError::None); }  // NOLINT

    bool ok() const { return error_ == OsError::None; }
    explicit operator bool() const { return ok(); }
    OsError error() const { return error_; }

    T& value() & {
        assert(ok());
        return value_;
    }
    const T& value() const& {
        assert(ok());
        return value_;
    }
    T&& value() && {
        assert(ok());
        return std::move(value_);
    }
    T value_or(T fallback) const { return ok() ? value_ : std::move(fallback); }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    T value_{};
    OsError error_ = OsError::None;
};

}  // namespace vestra::platform
