#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "app/main_window.h"
#include "app/start_up.h"
#include "run/working_folder.h"

int main(int argc, char* argv[]) {
  if (const std::optional<int> status = AnswerHelpOrVersion(argc, argv)) return *status;
  QApplication application(argc, argv);  // takes its own options, such as -platform, out of argv
  if (const std::optional<int> status = RefuseOtherArguments(argc, argv)) return *status;
  QApplication::setWindowIcon(ProgramIcon());
  MainWindow window(StartingUnits(argc, argv));
  window.show();
  if (const std::optional<std::string> warning = rating::MakeWorkingFolderCurrent()) {
    QMessageBox::warning(&window, window.windowTitle(), QString::fromStdString(*warning));
  }
  return QApplication::exec();
}
