#pragma once
// A connected main window and an administration window of its own, shown, with every box answered
// through the seam.

#include "core/BatchFixture.h"

#include "admin/AccessCode.h"
#include "admin/UDados_empresas.h"

#include <QTest>

class AdministrationTest : public BatchTest {
 protected:
  void SetUp() override {
    BatchTest::SetUp();
    Connect();
    OpenWindow();
  }

  void OpenWindow() {
    delete window;
    window = new TForm2(&Form());
    window->Show();
  }
  // Types the text into the password box and presses Enter.
  void Enter(const AnsiString &text) {
    QTest::keyClicks(window->Edit1, ToQString(text));
    QTest::keyClick(window->Edit1, Qt::Key_Return);
  }
  void Unlock() {
    Enter(AccessCode(Now()));
    ASSERT_TRUE(::Visible(window->Panel1));
  }
  AnsiString LastBox() const { return boxes.Calls().empty() ? AnsiString() : boxes.Calls().back().Text; }

  TForm2 *window = nullptr;  // the main window owns it
};
