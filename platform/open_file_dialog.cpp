#include "platform/open_file_dialog.h"

#include <QFileDialog>

namespace tavlex::platform {
namespace {

OpenFileStandIn standIn;

// "PDIC形式(*.dic)" → "PDIC形式": the patterns follow in Qt's own form.
QString DescriptionWithoutPatterns(const QString& description) {
  const qsizetype open = description.lastIndexOf(QLatin1Char('('));
  if (open <= 0 || !description.endsWith(QLatin1Char(')'))) return description.trimmed();
  return description.left(open).trimmed();
}

}  // namespace

QStringList FileDialogFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    }
    filters << DescriptionWithoutPatterns(parts[i]) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
  }
  return filters;
}

int ShowOpenFileDialog(const OpenFileRequest& request, QString* path) {
  if (standIn) return standIn(request, path);
  QFileDialog dialog(request.owner, request.title, request.initialDirectory);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(FileDialogFilters(request.filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;
  *path = dialog.selectedFiles().constFirst();
  return 1;
}

void SetOpenFileStandInForTesting(OpenFileStandIn replacement) { standIn = std::move(replacement); }

}  // namespace tavlex::platform
