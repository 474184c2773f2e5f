#include "platform/ui/qt_file_dialog_service.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "platform/ui/qt_text.h"

namespace pscfg::ui {
namespace {

// "*.bin" becomes "*.[bB][iI][nN]": Linux file names have case.
QString CaseInsensitivePattern(const QString& pattern) {
  QString result;
  for (QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
    } else {
      result += c;
    }
  }
  return result;
}

QStringList NameFilters(const std::vector<FileFilter>& filters) {
  QStringList result;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const QString& pattern :
         ToQString(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << CaseInsensitivePattern(pattern.trimmed());
    }
    result << ToQString(filter.description) + QStringLiteral(" (") +
                  patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return result;
}

}  // namespace

std::optional<std::string> QtFileDialogService::GetOpenFileName(QWidget* parent,
                                                                const OpenFileRequest& request) {
  QFileDialog dialog(parent, ToQString(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDirectory(request.initial_directory.empty() ? QDir::currentPath()
                                                        : ToQString(request.initial_directory));
  if (!request.filters.empty()) dialog.setNameFilters(NameFilters(request.filters));
  if (!request.default_extension.empty()) {
    dialog.setDefaultSuffix(ToQString(request.default_extension));
  }
  if (!request.file_name.empty()) dialog.selectFile(ToQString(request.file_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToUtf8(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

}  // namespace pscfg::ui
