#include <QApplication>
#include <QIcon>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(ProgramIcon());
  Form1 window;
  window.show();
  return QApplication::exec();
}
