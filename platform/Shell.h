// Shell: starting programs and documents by verb ("open", "runas", "explore", "properties").
#pragma once

#include <cstdint>
#include <string>

namespace vestra::platform {

struct ShellRequest {
    std::u16string verb;  // empty = the default verb
    std::u16string file;
    std::u16string parameters;
    std::u16string directory;
    int show = 1;  // SW_SHOWNORMAL
};

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteW: the classic result, greater than 32 when the shell accepted the request.
    virtual std::intptr_t Execute(const ShellRequest& request) = 0;
};

}  // namespace vestra::platform
