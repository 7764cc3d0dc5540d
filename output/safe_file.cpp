#include "output/safe_file.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "output/write_steps.h"
#include "platform/utf8_path.h"

// What every system's SafeFile shares; the system calls are in
// safe_file_linux.cpp and safe_file_windows.cpp.
namespace rating {

namespace {

WriteStepHook stepHook = nullptr;

}  // namespace

void write_steps::Reached(WriteStep step) {
  if (stepHook != nullptr) stepHook(step);
}

void SetWriteStepHookForTesting(WriteStepHook hook) { stepHook = hook; }

void SafeFile::TemporaryCreated() {
  try {
    write_steps::Reached(WriteStep::TemporaryCreated);
  } catch (...) {
    Discard();  // no destructor runs for an object that was never made
    throw;
  }
}

SafeFile::~SafeFile() { Discard(); }

PartialName PartialNameOf(const std::filesystem::path& target) {
  using Name = std::filesystem::path::string_type;
  const auto ascii = [](std::string_view text) { return Name(text.begin(), text.end()); };
  // ".NAME." built a character at a time: GCC 12 misjudges a concatenation here (-Wrestrict).
  const std::filesystem::path own = target.filename();
  const Name& file = own.native();
  PartialName name;
  name.before.push_back(static_cast<Name::value_type>('.'));
  for (std::size_t i = 0; i < file.size() && i < write_steps::kTemporaryBaseLength; ++i) {
    name.before.push_back(file[i]);
  }
  name.before.push_back(static_cast<Name::value_type>('.'));
  name.after = ascii(".partial");
  return name;
}

std::string PartialPattern(const std::filesystem::path& target) {
  const PartialName name = PartialNameOf(target);
  std::string pattern = Utf8Of(std::filesystem::path(name.before));
  pattern.append("*").append(Utf8Of(std::filesystem::path(name.after)));
  return pattern;
}

std::size_t CountLeftovers(const std::filesystem::path& target) {
  namespace fs = std::filesystem;
  const PartialName partial = PartialNameOf(target);
  std::size_t count = 0;
  std::error_code error;
  for (fs::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path entryName = entry->path().filename();
    const fs::path::string_type& name = entryName.native();
    if (name.size() == partial.before.size() + PartialName::kUniqueLetters + partial.after.size() &&
        name.starts_with(partial.before) && name.ends_with(partial.after)) {
      ++count;
    }
  }
  return count;
}

std::vector<std::error_code> CommitTogether(std::vector<SafeFile>& files,
                                            const std::vector<std::size_t>& groups) {
  std::vector<std::error_code> errors(files.size());
  std::set<std::size_t> failedGroups;
  const auto fail = [&](std::size_t i, std::error_code error) {
    if (!error) return;
    if (!errors[i]) errors[i] = error;
    failedGroups.insert(groups.at(i));
  };

  // Every file finished and its data on disk before any is renamed.
  for (std::size_t i = 0; i < files.size(); ++i) {
    SafeFile& file = files[i];
    try {
      if (file.files_.handle != SafeFile::kNoHandle) file.Finish();
    } catch (const std::system_error& error) {
      fail(i, error.code());
    }
  }
  const std::vector<std::error_code> synced = SafeFile::SyncData(files);
  for (std::size_t i = 0; i < files.size(); ++i) fail(i, synced[i]);

  // Group by group, every rename or none.
  std::vector<bool> landed(files.size(), false);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::size_t group = groups[i];
    if (failedGroups.contains(group) || landed[i] || files[i].files_.committed) continue;
    std::vector<std::size_t> replaced;
    for (std::size_t k = i; k < files.size(); ++k) {
      if (groups[k] != group || files[k].files_.committed) continue;
      try {
        files[k].Replace(true);
        replaced.push_back(k);
        write_steps::Reached(WriteStep::Renamed);
      } catch (const std::system_error& error) {
        fail(k, error.code());
        break;
      }
    }
    if (failedGroups.contains(group)) {
      // The last replaced first, as a stack unwinds.
      std::for_each(replaced.rbegin(), replaced.rend(), [&files](std::size_t k) { files[k].PutBack(); });
    } else {
      for (const std::size_t k : replaced) landed[k] = true;
    }
  }
  const std::vector<std::error_code> folders = SafeFile::SyncFolders(files, landed);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (landed[i]) {
      files[i].DropBackup();
      if (folders[i] && !errors[i]) errors[i] = folders[i];
    } else if (failedGroups.contains(groups[i])) {
      files[i].Discard();
    }
  }
  return errors;
}

}  // namespace rating
