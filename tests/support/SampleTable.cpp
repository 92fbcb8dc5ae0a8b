// Sample table and Wine path helpers.
#include "tests/support/SampleTable.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Text.h"

namespace vestra::testing {

std::u16string UnixPathAsWindows(const char* variable, std::u16string_view tail) {
    const char* value = std::getenv(variable);
    if (value == nullptr)
        return {};
    std::u16string path = u"Z:" + FromUtf8(value);
    std::replace(path.begin(), path.end(), u'/', u'\\');
    return path + std::u16string(tail);
}

std::vector<ExpectedSample> ReadExpectedSamples(const std::string& samplesFolder) {
    std::vector<ExpectedSample> rows;
    std::ifstream in(samplesFolder + "/expected.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        ExpectedSample row;
        std::string category;
        std::getline(fields, row.sample, '\t');
        std::getline(fields, row.name, '\t');
        std::getline(fields, category, '\t');
        std::getline(fields, row.action, '\t');
        if (row.name == "-")
            row.name.clear();
        row.category = std::atoi(category.c_str());
        rows.push_back(row);
    }
    return rows;
}

std::string EicarText() {
    // Assembled from two halves so that no file of the repository holds the whole string.
    return std::string("X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STA") +
           "NDARD-ANTIVIRUS-TEST-FILE!$H+H*";
}

}  // namespace vestra::testing
