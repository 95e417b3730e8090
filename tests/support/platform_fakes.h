// Stand-ins for the platform's modal services and system lists, each in place
// for the life of one object, as FakeTimers is: a test declares the ones it
// needs, and nothing is left behind for the next test.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/clipboard.h"
#include "platform/device.h"
#include "platform/font_families.h"
#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "platform/save_file_dialog.h"

namespace tavlex::testing {

// Answers every message box and records it. A box without an answer set
// is answered OK, or No when it asks Yes or No.
class FakeMessageBoxes {
 public:
  struct Shown {
    QString text;
    QString caption;
    unsigned style;
  };

  FakeMessageBoxes() {
    platform::MessageBox::SetStandInForTesting(
        [this](const QString& text, const QString& caption, unsigned style) {
          shown_.push_back({text, caption, style});
          const int fallback = (style & platform::MessageBox::kYesNo) ? platform::MessageBox::kIdNo
                                                                      : platform::MessageBox::kIdOk;
          const int answer = next_.value_or(fallback);
          next_.reset();
          return answer;
        });
  }
  ~FakeMessageBoxes() { platform::MessageBox::SetStandInForTesting(nullptr); }
  FakeMessageBoxes(const FakeMessageBoxes&) = delete;
  FakeMessageBoxes& operator=(const FakeMessageBoxes&) = delete;

  void SetNextAnswer(int answer) { next_ = answer; }
  const std::vector<Shown>& shown() const { return shown_; }

 private:
  std::optional<int> next_;
  std::vector<Shown> shown_;
};

// Chooses the file a test names, or cancels, and records every request.
// A request without a result set is cancelled.
class FakeOpenFileDialog {
 public:
  struct Shown {
    QString title;
    QStringList filters;
    QString initialDirectory;
  };

  FakeOpenFileDialog() {
    platform::SetOpenFileStandInForTesting([this](const platform::OpenFileRequest& request, QString* path) {
      shown_.push_back(
          {request.title, platform::FileDialogFilters(request.filter), request.initialDirectory});
      const QString chosen = next_.value_or(QString());
      next_.reset();
      if (chosen.isEmpty()) return 0;
      *path = chosen;
      return 1;
    });
  }
  ~FakeOpenFileDialog() { platform::SetOpenFileStandInForTesting(nullptr); }
  FakeOpenFileDialog(const FakeOpenFileDialog&) = delete;
  FakeOpenFileDialog& operator=(const FakeOpenFileDialog&) = delete;

  // The file the next request chooses; an empty path cancels it.
  void SetNextResult(const QString& path) { next_ = path; }
  const std::vector<Shown>& shown() const { return shown_; }

 private:
  std::optional<QString> next_;
  std::vector<Shown> shown_;
};

// Answers every save-file request with the file and filter a test names, or
// cancels, and records every request. A request without a result set is cancelled.
class FakeSaveFileDialog {
 public:
  FakeSaveFileDialog() {
    platform::SetSaveFileStandInForTesting([this](const platform::SaveFileRequest& request) {
      shown_.push_back(request);
      const platform::SavedFile chosen = next_.value_or(platform::SavedFile{});
      next_.reset();
      return chosen;
    });
  }
  ~FakeSaveFileDialog() { platform::SetSaveFileStandInForTesting(nullptr); }
  FakeSaveFileDialog(const FakeSaveFileDialog&) = delete;
  FakeSaveFileDialog& operator=(const FakeSaveFileDialog&) = delete;

  void SetNextResult(const QString& path, int filterIndex) { next_ = platform::SavedFile{path, filterIndex}; }
  const std::vector<platform::SaveFileRequest>& shown() const { return shown_; }

 private:
  std::optional<platform::SavedFile> next_;
  std::vector<platform::SaveFileRequest> shown_;
};

// The installed fonts are these faces, in this order.
class FakeFontFamilies {
 public:
  explicit FakeFontFamilies(const QStringList& families) {
    platform::SetInstalledFontFamiliesForTesting(families);
  }
  ~FakeFontFamilies() { platform::SetInstalledFontFamiliesForTesting(std::nullopt); }
  FakeFontFamilies(const FakeFontFamilies&) = delete;
  FakeFontFamilies& operator=(const FakeFontFamilies&) = delete;
};

// The viewer runs on a device of this class.
class FakeDeviceClass {
 public:
  explicit FakeDeviceClass(int deviceClass) : previous_(platform::DeviceClass()) {
    platform::SetDeviceClassForTesting(deviceClass);
  }
  ~FakeDeviceClass() { platform::SetDeviceClassForTesting(previous_); }
  FakeDeviceClass(const FakeDeviceClass&) = delete;
  FakeDeviceClass& operator=(const FakeDeviceClass&) = delete;

 private:
  int previous_;
};

// The clipboard and the selection hold what a test puts there, or what the
// viewer wrote (as its own); the selection is empty, and there is one, until
// a test says otherwise. They are read only with the focus when
// readOnlyWithFocus says so, as on Wayland.
class FakeClipboard {
 public:
  using Content = platform::Clipboard::Content;

  explicit FakeClipboard(bool readOnlyWithFocus = false) {
    platform::Clipboard::SetStandInForTesting(
        [this](platform::Clipboard::Mode mode) -> std::optional<Content> {
          if (mode == platform::Clipboard::Mode::kSelection) return selection_;
          return clipboard_;
        },
        readOnlyWithFocus);
    platform::Clipboard::SetWriteStandInForTesting(
        [this](platform::Clipboard::Mode mode, const QString& text) {
          const Content written{true, text, true};
          if (mode == platform::Clipboard::Mode::kClipboard) {
            clipboard_ = written;
          } else if (selection_) {
            selection_ = written;
          }
        });
  }
  ~FakeClipboard() {
    platform::Clipboard::SetStandInForTesting(nullptr);
    platform::Clipboard::SetWriteStandInForTesting(nullptr);
  }
  FakeClipboard(const FakeClipboard&) = delete;
  FakeClipboard& operator=(const FakeClipboard&) = delete;

  void SetClipboard(const Content& content) { clipboard_ = content; }
  // None: the platform has no selection.
  void SetSelection(const std::optional<Content>& content) { selection_ = content; }
  const Content& clipboard() const { return clipboard_; }
  const std::optional<Content>& selection() const { return selection_; }

 private:
  Content clipboard_;
  std::optional<Content> selection_ = Content{};
};

}  // namespace tavlex::testing
