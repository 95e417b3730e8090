#include "platform/display_platform.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStringList>

namespace tavlex::platform {
namespace {

// Where Qt looks for its platform plugins: the folder it was built with and
// the folders the environment adds.
QStringList PlatformPluginFolders() {
  QStringList folders;
  const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
  if (!own.isEmpty()) folders << own;
  for (const QString& path :
       qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
    folders << path + QStringLiteral("/platforms");
  }
  folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
  return folders;
}

bool HasPlugin(const QStringList& folders, const QStringList& files) {
  for (const QString& folder : folders) {
    for (const QString& file : files) {
      if (QFileInfo::exists(folder + u'/' + file)) return true;
    }
  }
  return false;
}

}  // namespace

bool IsWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

DisplayChoice ChooseDisplayPlatform(const DisplayEnvironment& environment) {
  if (!environment.chosen.empty()) return {};
  const bool wayland = !environment.waylandDisplay.empty();
  const bool x11 = !environment.x11Display.empty();
  std::string platforms;
  // A Wayland session is served natively first, through XWayland after.
  if (wayland && environment.waylandPlugin) platforms = "wayland";
  if (x11 && environment.x11Plugin) platforms += platforms.empty() ? "xcb" : ";xcb";
  if (!platforms.empty()) return {platforms, {}};
  if (wayland && !environment.waylandPlugin && !x11) {
    return {{},
            "this Wayland session has no X server (XWayland), and Qt's Wayland plugin is not installed: "
            "install the package qt6-wayland"};
  }
  if (wayland) {
    return {{},
            "Qt's Wayland plugin is not installed, and its X11 plugin is missing too: "
            "install the packages qt6-wayland and libqt6gui6"};
  }
  if (x11) return {{}, "Qt's X11 plugin is missing: install the package libqt6gui6"};
  return {{},
          "no display to show the window on: neither WAYLAND_DISPLAY nor DISPLAY is set "
          "(QT_QPA_PLATFORM chooses another of Qt's platforms)"};
}

DisplayEnvironment CurrentDisplayEnvironment() {
  const QStringList folders = PlatformPluginFolders();
  DisplayEnvironment environment;
  environment.chosen = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
  environment.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY").toStdString();
  environment.x11Display = qEnvironmentVariable("DISPLAY").toStdString();
  environment.waylandPlugin =
      HasPlugin(folders, {QStringLiteral("libqwayland-generic.so"), QStringLiteral("libqwayland-egl.so")});
  environment.x11Plugin = HasPlugin(folders, {QStringLiteral("libqxcb.so")});
  return environment;
}

}  // namespace tavlex::platform
