// The hidden-path test as the scanner asks it. Remediation owns the test and the rows it adds;
// the walk and the area phases only call it, so the scanner needs nothing from remediation.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace vestra {

// Tests one path and answers whether it is a finding. `attributes` are those a listing already
// gave (0: read them now); `expected` 0 asks for neither hidden nor system, any other value for
// exactly that value; `anyExtension` looks past the scanned-extension rule.
using HiddenPathCheck = std::function<bool(std::u16string_view path, std::uint32_t attributes,
                                           std::uint32_t expected, bool anyExtension)>;

}  // namespace vestra
