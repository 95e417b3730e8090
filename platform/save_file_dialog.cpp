#include "platform/save_file_dialog.h"

#include <QFileDialog>
#include <algorithm>

#include "platform/open_file_dialog.h"

namespace tavlex::platform {
namespace {

SaveFileStandIn standIn;

}  // namespace

SavedFile ShowSaveFileDialog(const SaveFileRequest& request) {
  if (standIn) return standIn(request);
  QFileDialog dialog(request.owner, request.title);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList filters = FileDialogFilters(request.filter);
  dialog.setNameFilters(filters);
  if (!request.initialPath.isEmpty()) dialog.selectFile(request.initialPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {dialog.selectedFiles().constFirst(),
          static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

void SetSaveFileStandInForTesting(SaveFileStandIn replacement) { standIn = std::move(replacement); }

}  // namespace tavlex::platform
