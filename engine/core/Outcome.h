// A value or a readable error message: how parsers and loaders of the engine report failure
// without exceptions.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace vestra::engine {

template <class T>
class Outcome {
public:
    Outcome(T value) : value_(std::move(value)) {}  // NOLINT: implicit by design
    static Outcome Failure(std::string message) { return Outcome(std::move(message), 0); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }
    T& value() {
        assert(ok());
        return *value_;
    }
    const T& value() const {
        assert(ok());
        return *value_;
    }

private:
    Outcome(std::string message, int) : error_(std::move(message)) {}

    std::optional<T> value_;
    std::string error_;
};

}  // namespace vestra::engine
