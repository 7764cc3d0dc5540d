#include "packaging/windows/user_path.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace rating::packaging {

namespace {

std::wstring_view Trimmed(std::wstring_view entry) {
  while (!entry.empty() && (entry.back() == L'\\' || entry.back() == L'/')) entry.remove_suffix(1);
  return entry;
}

std::vector<std::wstring_view> Entries(std::wstring_view path) {
  std::vector<std::wstring_view> entries;
  for (std::size_t start = 0;;) {
    const std::size_t end = path.find(L';', start);
    entries.push_back(path.substr(start, end == std::wstring_view::npos ? end : end - start));
    if (end == std::wstring_view::npos) return entries;
    start = end + 1;
  }
}

}  // namespace

bool SameEntry(std::wstring_view entry, std::wstring_view folder) {
  entry = Trimmed(entry);
  folder = Trimmed(folder);
  return !folder.empty() &&
         std::equal(entry.begin(), entry.end(), folder.begin(), folder.end(),
                    [](wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); });
}

std::optional<std::wstring> WithEntry(std::wstring_view path, std::wstring_view folder) {
  const std::vector<std::wstring_view> entries = Entries(path);
  if (std::any_of(entries.begin(), entries.end(),
                  [folder](std::wstring_view entry) { return SameEntry(entry, folder); })) {
    return std::nullopt;
  }
  // Before a trailing separator where the PATH ends with one, so that taking
  // the entry out again gives back the very same text.
  std::wstring changed(path);
  if (changed.empty()) return changed.append(folder);
  if (changed.back() == L';') return changed.append(folder).append(L";");
  return changed.append(L";").append(folder);
}

std::optional<std::wstring> WithoutEntry(std::wstring_view path, std::wstring_view folder) {
  std::wstring changed;
  bool removed = false;
  bool first = true;
  for (const std::wstring_view entry : Entries(path)) {
    if (SameEntry(entry, folder)) {
      removed = true;
      continue;
    }
    if (!first) changed += L';';
    changed.append(entry);
    first = false;
  }
  if (!removed) return std::nullopt;
  return changed;
}

}  // namespace rating::packaging
