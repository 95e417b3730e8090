// The save-file service: the desktop's file chooser asking for a file to
// write, and which of its filters the user took. Tests put a stand-in in
// place of the chooser (tests/support/platform_fakes.h).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace tavlex::platform {

struct SaveFileRequest {
  QWidget* owner = nullptr;
  QString title;
  QString filter;  // as OpenFileRequest's: "Text(*.txt)|*.txt|CSV(*.csv)|*.csv||"
  QString initialPath;
};

struct SavedFile {
  QString path;         // empty: cancelled
  int filterIndex = 0;  // the pair of the filter chosen, from 0
};

// Shows a modal chooser of a file to write; a file that exists is replaced
// only once the user said so.
SavedFile ShowSaveFileDialog(const SaveFileRequest& request);

using SaveFileStandIn = std::function<SavedFile(const SaveFileRequest& request)>;
// Tests: standIn answers every request from now on; an empty one puts the real chooser back.
void SetSaveFileStandInForTesting(SaveFileStandIn standIn);

}  // namespace tavlex::platform
