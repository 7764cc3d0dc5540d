#pragma once

#include <string>
#include <vector>

namespace rating::cli {

// Items as a sentence lists them: "a", "a and b", "a, b and c".
std::string WordList(const std::vector<std::string>& items);

}  // namespace rating::cli
