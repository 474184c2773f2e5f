#include "platform/ui/services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/cdialog.h"
#include "platform/ui/cwin_app.h"
#include "platform/ui/ids.h"
#include "platform/ui/process_current_directory.h"
#include "platform/ui/qt_message_box_service.h"
#include "platform/ui/qt_wait_cursor_service.h"
#include "platform/ui/test_services.h"
#include "tests/platform/ui/ui_test_support.h"

namespace pscfg::ui {
namespace {

DialogTemplate EmptyTemplate() {
  DialogTemplate dialog;
  dialog.rect = {0, 0, 100, 50};
  return dialog;
}

TEST(ScriptedMessageBoxTest, RecordsEveryBoxInOrderAndAnswersFromTheQueue) {
  TestServices services;
  services.message_box.QueueAnswer(kIdNo);
  services.message_box.QueueAnswer(kIdYes);
  CDialog page(EmptyTemplate());
  ASSERT_TRUE(page.Create());

  const std::string question = "進行軔體更新會先清除原有之軔體, 確定要繼續?";
  EXPECT_EQ(page.MessageBox(question, "", MessageButtons::kYesNo, MessageIcon::kQuestion), kIdNo);
  EXPECT_EQ(page.MessageBox(question, "", MessageButtons::kYesNo, MessageIcon::kQuestion), kIdYes);
  EXPECT_EQ(services.message_box.pending_answers(), 0u);
  // Nothing queued: the default button answers.
  EXPECT_EQ(
      page.MessageBox("軔體更新完成", "Celvo", MessageButtons::kOk, MessageIcon::kInformation),
      kIdOk);
  EXPECT_EQ(page.MessageBox(question, "", MessageButtons::kYesNo, MessageIcon::kQuestion), kIdYes);

  const std::string app = AfxGetAppName();
  EXPECT_EQ(services.message_box.shown(),
            (std::vector<ShownMessage>{
                {question, app, MessageButtons::kYesNo, MessageIcon::kQuestion},
                {question, app, MessageButtons::kYesNo, MessageIcon::kQuestion},
                {"軔體更新完成", "Celvo", MessageButtons::kOk, MessageIcon::kInformation},
                {question, app, MessageButtons::kYesNo, MessageIcon::kQuestion},
            }));
}

TEST(ScriptedMessageBoxTest, OnShowSeesTheProgramWhileTheBoxIsUp) {
  TestServices services;
  std::vector<int> depth_at_box;
  services.message_box.SetOnShow(
      [&](const ShownMessage&) { depth_at_box.push_back(services.wait_cursor.depth()); });
  CDialog page(EmptyTemplate());
  page.BeginWaitCursor();
  page.MessageBox("無法寫入列印伺服器的EEPROM");
  page.RestoreWaitCursor();
  page.EndWaitCursor();
  page.MessageBox("after");
  EXPECT_EQ(depth_at_box, (std::vector<int>{1, 0}));
  EXPECT_EQ(services.wait_cursor.calls(),
            (std::vector<WaitCursorCall>{WaitCursorCall::kBegin, WaitCursorCall::kRestore,
                                         WaitCursorCall::kEnd}));
}

TEST(MessageBoxCaptionTest, DefaultCaptionIsTheApplicationsName) {
  TestServices services;
  CDialog page(EmptyTemplate());
  {
    CWinApp app("ABC");
    EXPECT_EQ(AfxGetApp(), &app);
    page.MessageBox("with an application object");
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
  page.MessageBox("without one");
  ASSERT_EQ(services.message_box.shown().size(), 2u);
  EXPECT_EQ(services.message_box.shown()[0].caption, "ABC");
  EXPECT_EQ(services.message_box.shown()[1].caption,
            QCoreApplication::applicationName().toStdString());
}

TEST(QtMessageBoxTest, ShowsTextCaptionIconAndThePlatformsButtons) {
  QtMessageBoxService service;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<std::string> buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::string text;
  std::string caption;
  Qt::CursorShape cursor = Qt::WaitCursor;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text().toStdString();
    caption = box->windowTitle().toStdString();
    icon = box->icon();
    cursor = QApplication::overrideCursor()->shape();
    QPushButton* no = nullptr;
    for (QAbstractButton* button : box->buttons()) {
      buttons.push_back(button->text().toStdString());
      if (button->text() == "否(&N)") no = qobject_cast<QPushButton*>(button);
    }
    ASSERT_NE(no, nullptr);
    no->click();
  });
  const int answer = service.Show(nullptr, "Line 1\nLine 2", "ABC", MessageButtons::kYesNo,
                                  MessageIcon::kQuestion);
  EXPECT_EQ(answer, kIdNo);
  EXPECT_EQ(text, "Line 1\nLine 2");
  EXPECT_EQ(caption, "ABC");
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(cursor, Qt::ArrowCursor) << "a box is answered with the arrow";
  std::sort(buttons.begin(), buttons.end());
  EXPECT_EQ(buttons, (std::vector<std::string>{"否(&N)", "是(&Y)"}));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
}

TEST(QtWaitCursorTest, BeginRestoreAndEndDriveTheOverrideCursor) {
  QtWaitCursorService wait;
  wait.End();  // without a Begin: nothing to undo
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  wait.Begin();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::changeOverrideCursor(Qt::ArrowCursor);  // as a box in between may
  wait.Restore();
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  wait.End();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  wait.Restore();  // after the end: no wait cursor comes back
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(ScopedServicesTest, ReplacesTheGivenServicesAndPutsTheOldOnesBack) {
  const Services before = GetServices();
  {
    ScriptedMessageBoxService boxes;
    ScopedServices scope({&boxes, nullptr, nullptr, nullptr});
    EXPECT_EQ(GetServices().message_box, &boxes);
    EXPECT_EQ(GetServices().wait_cursor, before.wait_cursor);
    {
      TestServices inner;
      EXPECT_EQ(GetServices().message_box, &inner.message_box);
    }
    EXPECT_EQ(GetServices().message_box, &boxes);
  }
  EXPECT_EQ(GetServices().message_box, before.message_box);
  EXPECT_NE(dynamic_cast<QtMessageBoxService*>(before.message_box), nullptr);
  EXPECT_NE(dynamic_cast<QtWaitCursorService*>(before.wait_cursor), nullptr);
}

TEST(ScriptedFileDialogTest, AnswersFromTheQueueAndRecordsTheRequests) {
  TestServices services;
  services.file_dialog.QueueChoice("/images/VQIMG.BIN");
  services.file_dialog.QueueCancel();
  OpenFileRequest request;
  request.file_name = "VQIMG.BIN";
  request.default_extension = "BIN";
  request.filters = {{"BinFile", "*.bin"}};
  FileDialogService& dialog = *GetServices().file_dialog;
  EXPECT_EQ(dialog.GetOpenFileName(nullptr, request), "/images/VQIMG.BIN");
  EXPECT_EQ(dialog.GetOpenFileName(nullptr, request), std::nullopt);
  EXPECT_EQ(dialog.GetOpenFileName(nullptr, request), std::nullopt) << "nothing queued: Cancel";
  EXPECT_EQ(services.file_dialog.requests(), std::vector<OpenFileRequest>(3, request));
}

TEST(CurrentDirectoryTest, ProcessDirectoryChangesOnlyToDirectoriesThatExist) {
  testing::TempDir dir;
  ProcessCurrentDirectory current;
  const std::string before = current.Get();
  ASSERT_TRUE(current.Set(dir.path().string()));
  EXPECT_EQ(std::filesystem::path(current.Get()), std::filesystem::canonical(dir.path()));
  EXPECT_FALSE(current.Set((dir.path() / "missing").string()));
  EXPECT_EQ(std::filesystem::path(current.Get()), std::filesystem::canonical(dir.path()));
  ASSERT_TRUE(current.Set(before));

  TestServices services("C:\\tools");
  EXPECT_EQ(GetServices().current_directory->Get(), "C:\\tools");
}

class CountingApp : public CWinApp {
 public:
  CountingApp() : CWinApp("Print Server") {}
  std::vector<std::string> calls;
  bool InitInstance() override {
    calls.push_back("init " + AfxGetAppName());
    return false;
  }
  int ExitInstance() override {
    calls.push_back("exit");
    return 3;
  }
};

TEST(WinAppTest, RunEndsAfterAnInitInstanceThatReturnsFalse) {
  CountingApp app;
  char name[] = "Dornel";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(app.Run(1, argv), 3);
  EXPECT_EQ(app.calls, (std::vector<std::string>{"init Print Server", "exit"}));
}

}  // namespace
}  // namespace pscfg::ui
