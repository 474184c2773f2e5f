#pragma once
// CWinApp: the one application object of a program.
//
//   class CConfigApp : public pscfg::ui::CWinApp {
//     bool InitInstance() override { ...show the sheet...; return false; }
//   };
//   int main(int argc, char** argv) { CConfigApp app; return app.Run(argc, argv); }
//
// Run creates the Qt application (or uses the one that exists), loads the
// platform's Traditional Chinese texts for Qt's own dialogs when installed,
// sets the dialog font, then calls InitInstance. When that returns true the
// event loop runs until the last window closes; either way ExitInstance
// follows and its result is the program's exit code.

#include <string>
#include <utility>

namespace pscfg::ui {

class CWinApp {
 public:
  explicit CWinApp(std::string app_name = {});
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  int Run(int argc, char** argv);

  virtual bool InitInstance() { return false; }
  virtual int ExitInstance() { return 0; }

  // The caption of message boxes that name none. Empty: the program file's
  // name.
  void SetAppName(std::string app_name) { app_name_ = std::move(app_name); }
  const std::string& app_name() const { return app_name_; }

 private:
  std::string app_name_;
};

// The application object that exists, or null.
CWinApp* AfxGetApp();

// The application's name: the application object's, else the program
// file's name.
std::string AfxGetAppName();

}  // namespace pscfg::ui
