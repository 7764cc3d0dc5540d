#include <QApplication>
#include <QIcon>

#include "app/main_window.h"
#include "app/start_up.h"

int main(int argc, char* argv[]) {
  if (const std::optional<int> status = AnswerCommandLine(argc, argv)) return *status;
  QApplication application(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  MainWindow window;
  window.show();
  MakeProgramFolderCurrent(window);
  return QApplication::exec();
}
