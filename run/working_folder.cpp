#include "run/working_folder.h"

#include <system_error>

#include "messages/messages.h"
#include "platform/platform.h"
#include "platform/utf8_path.h"

namespace rating {

std::filesystem::path WorkingFolderFor(const ProgramPlace& place) {
  if (!place.installed && place.mayCreateFiles) return place.programFolder;
  std::error_code error;
  if (!place.documents.empty() && std::filesystem::is_directory(place.documents, error)) {
    return place.documents;
  }
  return place.home;
}

ProgramPlace ThisProgramPlace() {
  ProgramPlace place;
  place.programFolder = platform::ProgramFolder();
  place.installed = platform::IsInstalledProgramFolder(place.programFolder);
  place.mayCreateFiles = platform::MayCreateFilesIn(place.programFolder);
  place.documents = platform::DocumentsFolder();
  place.home = platform::HomeFolder();
  return place;
}

std::optional<std::string> MakeWorkingFolderCurrent() {
  const std::filesystem::path folder = WorkingFolderFor(ThisProgramPlace());
  std::error_code error;
  std::filesystem::current_path(folder, error);
  if (!error) return std::nullopt;
  return Compose(Message::StartUpFolder, Arg<"folder">(Utf8Of(folder)),
                 Arg<"current">(Utf8Of(std::filesystem::current_path(error))));
}

}  // namespace rating
