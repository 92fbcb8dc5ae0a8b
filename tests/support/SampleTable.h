// What the Windows suites need to find the build's products and the test samples from inside
// Wine, and the samples' table of expected verdicts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vestra::testing {

// A Unix path named by an environment variable (VESTRA_BINARY_DIR, VESTRA_SOURCE_DIR), as Wine
// shows it on drive Z:, with `tail` appended; empty when the variable is not set.
std::u16string UnixPathAsWindows(const char* variable, std::u16string_view tail);

struct ExpectedSample {
    std::string sample;  // relative path with "/" separators
    std::string name;    // empty for a clean sample
    int category = 0;
    std::string action;
};

// tests/samples/expected.tsv, read from the source tree (natively: by its Unix path).
std::vector<ExpectedSample> ReadExpectedSamples(const std::string& samplesFolder);

// The EICAR test string: kept out of the repository's files, written by the tests that need it.
std::string EicarText();

}  // namespace vestra::testing
