#pragma once

#include <optional>
#include <string>
#include <string_view>

// The user's PATH as the installer changes it: one folder added at its end,
// or that one entry taken out again, and nothing else of it touched.
namespace rating::packaging {

// Whether two PATH entries name one folder: Windows compares names without
// regard to case, and a trailing backslash changes nothing.
bool SameEntry(std::wstring_view entry, std::wstring_view folder);

// `path` with `folder` added as its last entry, or nothing where an entry
// names the folder already.
std::optional<std::wstring> WithEntry(std::wstring_view path, std::wstring_view folder);

// `path` without its entries that name `folder`, every other entry and
// separator as it was; nothing where no entry names it.
std::optional<std::wstring> WithoutEntry(std::wstring_view path, std::wstring_view folder);

}  // namespace rating::packaging
