// The open-file service: the desktop's file chooser in place of the
// handheld's picker. Qt's QFileDialog uses the desktop's own chooser when the
// platform offers one, and its own dialog otherwise. Tests put a stand-in in
// place of the chooser (tests/support/platform_fakes.h).
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

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

// Answers a request in place of the chooser, as ShowOpenFileDialog does.
using OpenFileStandIn = std::function<int(const OpenFileRequest& request, QString* path)>;
// Tests: standIn answers every request from now on; an empty one puts the real chooser back.
void SetOpenFileStandInForTesting(OpenFileStandIn standIn);

}  // namespace tavlex::platform
