// Records every shell request and answers with a configured result (42 by default: accepted).
#pragma once

#include <functional>
#include <vector>

#include "platform/Shell.h"

namespace vestra::platform::fake {

class FakeShell : public Shell {
public:
    void SetResult(std::intptr_t result) { result_ = result; }
    // When set, decides the answer per request (and may act on the fakes, e.g. start a process).
    void SetHandler(std::function<std::intptr_t(const ShellRequest&)> handler) {
        handler_ = std::move(handler);
    }
    const std::vector<ShellRequest>& requests() const { return requests_; }

    std::intptr_t Execute(const ShellRequest& request) override {
        requests_.push_back(request);
        return handler_ ? handler_(request) : result_;
    }

private:
    std::intptr_t result_ = 42;
    std::function<std::intptr_t(const ShellRequest&)> handler_;
    std::vector<ShellRequest> requests_;
};

}  // namespace vestra::platform::fake
