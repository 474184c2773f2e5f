#include "platform/ui/cwin_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "platform/ui/dialog_units.h"
#include "platform/ui/qt_text.h"

namespace pscfg::ui {
namespace {

CWinApp* current_app = nullptr;

}  // namespace

CWinApp::CWinApp(std::string app_name) : app_name_(std::move(app_name)) { current_app = this; }

CWinApp::~CWinApp() {
  if (current_app == this) current_app = nullptr;
}

int CWinApp::Run(int argc, char** argv) {
  std::unique_ptr<QApplication> owned;
  if (QApplication::instance() == nullptr) owned = std::make_unique<QApplication>(argc, argv);
  QTranslator translator;
  if (translator.load(QLocale(QLocale::Chinese, QLocale::Taiwan), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
  QApplication::setFont(DialogFont());
  if (InitInstance()) QApplication::exec();
  const int exit_code = ExitInstance();
  QApplication::removeTranslator(&translator);
  return exit_code;
}

CWinApp* AfxGetApp() { return current_app; }

std::string AfxGetAppName() {
  if (current_app != nullptr && !current_app->app_name().empty()) return current_app->app_name();
  return QCoreApplication::instance() == nullptr ? std::string()
                                                 : ToUtf8(QCoreApplication::applicationName());
}

}  // namespace pscfg::ui
