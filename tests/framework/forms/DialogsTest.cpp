// The Qt message box behind the seam: its default button is the one Enter
// chooses.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "framework/forms/Dialogs.h"

namespace {

// Shows a real box (offscreen) and presses Enter in it as soon as it is up.
int EnterIn(unsigned flags) {
  const TMessageBoxHandler previous = SetMessageBoxHandler({});
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&timer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    timer.stop();
    QTest::keyClick(box, Qt::Key_Return);
  });
  timer.start();
  const int answer = ShowMessageBox("Recycle Directory C:\\Data?", "Confirm Directory Delete", flags);
  SetMessageBoxHandler(previous);
  return answer;
}

TEST(Dialogs, EnterChoosesTheDefaultButton) {
  EXPECT_EQ(EnterIn(MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(EnterIn(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(EnterIn(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(EnterIn(MB_YESNO | MB_DEFBUTTON3), IDYES) << "a default past the last button is the first";
}

}  // namespace
