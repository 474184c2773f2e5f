#include "shell/run_hooks.h"

#include <time.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/ui/busy_repaint.h"
#include "platform/ui/dialog_units.h"
#include "platform/ui/ids.h"
#include "platform/ui/message_box_service.h"
#include "platform/ui/qt_text.h"

namespace pscfg {
namespace {

// Message boxes of an unattended run: a line on stderr, and the box's
// default answer.
class StderrMessageBoxService : public ui::MessageBoxService {
 public:
  int Show(QWidget*, const std::string& text, const std::string& caption,
           ui::MessageButtons buttons, ui::MessageIcon) override {
    std::fprintf(stderr, "message [%s]: %s\n", caption.c_str(), text.c_str());
    return buttons == ui::MessageButtons::kYesNo ? ui::kIdYes : ui::kIdOk;
  }
};

// Sees the first paint of any widget of the sheet's window.
class FirstPaintWatch : public QObject {
 public:
  explicit FirstPaintWatch(CCelvoDlg& sheet) : sheet_(sheet) {}

  bool eventFilter(QObject* object, QEvent* event) override {
    if (!reported_ && event->type() == QEvent::Paint && object->isWidgetType()) {
      QWidget* window = sheet_.GetWindow();
      if (window != nullptr && static_cast<QWidget*>(object)->window() == window) {
        reported_ = true;
        std::fprintf(stderr, "first paint: %lld ms\n", MillisecondsSinceProcessStart());
      }
    }
    return false;
  }

 private:
  CCelvoDlg& sheet_;
  bool reported_ = false;
};

// The sheet as a window: its caption bar (the platform draws none into a
// grab) above the client area.
constexpr int kBar = 30;

QImage WindowPicture(QWidget* window) {
  const QImage client = window->grab().toImage();
  QImage picture(client.width() + 2, client.height() + kBar + 1, QImage::Format_RGB32);
  picture.fill(QColor(70, 80, 96));
  QPainter painter(&picture);
  QLinearGradient bar(0, 0, 0, kBar);
  bar.setColorAt(0, QColor(58, 104, 168));
  bar.setColorAt(1, QColor(38, 78, 136));
  painter.fillRect(QRect(1, 1, client.width(), kBar - 1), bar);
  painter.drawPixmap(8, 5, window->windowIcon().pixmap(20, 20));
  QFont font = ui::DialogFont();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(36, 1, client.width() - 44, kBar - 1), Qt::AlignVCenter | Qt::AlignLeft,
                   window->windowTitle());
  painter.drawImage(1, kBar, client);
  painter.end();
  return picture;
}

// The same with the drop-down list of `combo` open over it, so that the
// picture shows what the list holds.
QImage WindowPictureWithListOpen(QWidget* window, QComboBox* combo) {
  combo->showPopup();
  ui::RepaintWhileBusy();
  QImage picture = WindowPicture(window);
  QWidget* popup = combo->view()->window();
  if (popup != nullptr && popup->isVisible()) {
    const QPoint at =
        popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)) + QPoint(1, kBar);
    QPainter painter(&picture);
    painter.drawPixmap(at, popup->grab());
  }
  combo->hidePopup();
  return picture;
}

bool Save(const QImage& picture, const std::filesystem::path& path) {
  if (!picture.save(ui::ToQString(path.string()), "PNG")) {
    std::fprintf(stderr, "screenshots: cannot write %s\n", path.c_str());
    return false;
  }
  std::fprintf(stderr, "screenshot: %s\n", path.c_str());
  return true;
}

}  // namespace

struct RunHooks::Installed {
  StderrMessageBoxService messages;
  std::unique_ptr<ui::ScopedServices> services;
  std::unique_ptr<FirstPaintWatch> paint_watch;
  QObject context;  // of the queued tour
};

long long MillisecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t end_of_name = line.rfind(')');
  if (end_of_name == std::string::npos) return -1;
  std::istringstream fields(line.substr(end_of_name + 2));
  std::string field;
  // Fields from the state (3rd) on; the start time is the 22nd.
  for (int number = 3; number < 22 && fields >> field;) ++number;
  unsigned long long start_ticks = 0;
  if (!(fields >> start_ticks)) return -1;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const long long ticks_per_second = sysconf(_SC_CLK_TCK);
  const long long now_ms = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  return now_ms - static_cast<long long>(start_ticks) * 1000 / ticks_per_second;
}

RunHooks::RunHooks() = default;
RunHooks::~RunHooks() {
  if (installed_ && installed_->paint_watch && QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeEventFilter(installed_->paint_watch.get());
  }
}
RunHooks::RunHooks(RunHooks&&) noexcept = default;
RunHooks& RunHooks::operator=(RunHooks&&) noexcept = default;

RunHooks RunHooks::FromEnvironment() {
  RunHooks hooks;
  if (const char* directory = std::getenv(kScreenshotsVariable); directory && *directory) {
    hooks.screenshots_ = directory;
  }
  if (const char* report = std::getenv(kFirstPaintReportVariable); report && *report) {
    hooks.first_paint_report_ = std::string(report) != "0";
  }
  return hooks;
}

void RunHooks::Attach(CCelvoDlg& sheet) {
  if (screenshots_.empty() && !first_paint_report_) return;
  installed_ = std::make_unique<Installed>();
  if (first_paint_report_ && QCoreApplication::instance() != nullptr) {
    installed_->paint_watch = std::make_unique<FirstPaintWatch>(sheet);
    QCoreApplication::instance()->installEventFilter(installed_->paint_watch.get());
  }
  if (!screenshots_.empty()) {
    installed_->services = std::make_unique<ui::ScopedServices>(
        ui::Services{&installed_->messages, nullptr, nullptr, nullptr});
  }
  const bool report = first_paint_report_;
  const std::string directory = screenshots_;
  QObject* context = &installed_->context;
  sheet.OnSearchDone([&sheet, report, directory, context, done = false]() mutable {
    if (done) return;
    done = true;
    if (report) {
      const int servers = sheet.manager() == nullptr ? 0 : sheet.manager()->server_count();
      std::fprintf(stderr, "search done: %lld ms, %d servers\n", MillisecondsSinceProcessStart(),
                   servers);
    }
    if (directory.empty()) return;
    // Queued: the search's own work is over when the tour starts.
    QTimer::singleShot(0, context, [&sheet, directory] {
      SaveEveryPage(sheet, directory);
      sheet.EndDialog(ui::kIdOk);
    });
  });
}

bool RunHooks::SaveEveryPage(CCelvoDlg& sheet, const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  bool all_saved = true;
  for (int index = 0; index < sheet.GetPageCount(); ++index) {
    sheet.SetActivePage(index);
    ui::RepaintWhileBusy();
    if (sheet.GetActiveIndex() != index) {
      std::fprintf(stderr, "screenshots: the sheet stays on page %d\n", sheet.GetActiveIndex() + 1);
      continue;
    }
    const std::optional<PageKind> kind = sheet.KindOf(sheet.GetPage(index));
    const std::string kind_name(kind ? PageKindName(*kind) : "page");
    char name[64];
    std::snprintf(name, sizeof name, "%02d-%s", index + 1, kind_name.c_str());
    const std::filesystem::path base = std::filesystem::path(directory) / name;
    all_saved = Save(WindowPicture(sheet.GetWindow()), base.string() + ".png") && all_saved;
    // The General page once more with its server list open.
    auto* list = sheet.GetPage(index)->GetWindow()->findChild<QComboBox*>();
    if (kind == PageKind::kGeneral && list != nullptr && list->count() > 0) {
      all_saved =
          Save(WindowPictureWithListOpen(sheet.GetWindow(), list), base.string() + "-list.png") &&
          all_saved;
    }
  }
  return all_saved;
}

}  // namespace pscfg
