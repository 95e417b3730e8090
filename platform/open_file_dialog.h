// The open-file service: the desktop's file chooser in place of the
// handheld's picker. Qt's QFileDialog uses the desktop's own chooser when the
// platform offers one, and its own dialog otherwise. Tests name the chosen
// file, or a cancel, instead of letting a dialog be shown.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

namespace tavlex::platform {

struct OpenFileRequest {
  QWidget* owner = nullptr;
  QString title;
  // Pairs of description and patterns, separated and ended by "|", as the
  // string table holds them: "Text(*.txt)|*.txt|All(*.*)|*.*||".
  QString filter;
  QString initialDirectory;
};

// The request's filter in Qt's form, one "Description (patterns)" per pair:
// the description loses its own parenthesised patterns, the patterns are
// separated by spaces, and "*.*" (any name on the handheld) becomes "*".
QStringList FileDialogFilters(const QString& filter);

// Shows a modal chooser of one existing file. Returns 1 when a file was
// chosen, its full path in *path; anything else after a cancel.
int ShowOpenFileDialog(const OpenFileRequest& request, QString* path);

// Tests: the next ShowOpenFileDialog returns at once, with this file chosen,
// or as cancelled when it is empty.
void SetNextOpenFileResultForTesting(const QString& path);
// Tests: the filters, title and folder of every request since the last clear.
struct OpenFileShown {
  QString title;
  QStringList filters;
  QString initialDirectory;
};
const std::vector<OpenFileShown>& OpenFileHistoryForTesting();
void ClearOpenFileHistoryForTesting();

}  // namespace tavlex::platform
