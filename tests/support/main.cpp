// Test programs run inside a Qt application (offscreen), as the system's windows need one.

#include "platform/vcl/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TApplication application;  // the class library's Application, as in the program
  return RUN_ALL_TESTS();
}
