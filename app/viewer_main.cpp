#include "app/viewer_main.h"

#include <QApplication>
#include <QTimer>
#include <optional>

#include "app/bus_names.h"
#include "app/launch_bus.h"
#include "app/launch_options.h"
#include "app/outside_lookups.h"
#include "app/qt_translations.h"
#include "app/viewer_app.h"
#include "cli/program.h"
#include "platform/display_platform.h"

namespace tavlex {
namespace {

constexpr cli::Program kProgram("tavlex");
// Started by the bus, the viewer waits this long for the request that started it.
constexpr int kServiceWaitMs = 10'000;

enum ExitStatus { kDone = 0, kFailed = 1 };

// What the running viewer made of the request; none when this process is to be the viewer.
std::optional<int> PassOn(const SessionBus& bus, const LookupRequest& request) {
  switch (bus.Pass(request)) {
    case SessionBus::HandOff::kTaken:
      return kDone;
    case SessionBus::HandOff::kNoAnswer:
      kProgram.Report("the viewer that is running does not answer");
      return kFailed;
    case SessionBus::HandOff::kNoViewer:
    case SessionBus::HandOff::kOtherDisplay:
      return std::nullopt;
  }
  return std::nullopt;
}

int RunViewer(char* program, const LaunchOptions& options, const ViewerMainHooks& hooks) {
  // Qt takes none of the arguments: they are the viewer's.
  int qtArgc = 1;
  char* qtArgv[] = {program, nullptr};
  std::optional<SessionBus> bus;
  {
    // Enough of Qt for the bus, and no display yet: a running viewer answers sooner.
    QCoreApplication early(qtArgc, qtArgv);
    bus = SessionBus::Connect();
    if (bus && !options.service) {
      if (const std::optional<int> status = PassOn(*bus, options.request)) return *status;
    }
  }
  const platform::DisplayChoice display =
      platform::ChooseDisplayPlatform(platform::CurrentDisplayEnvironment());
  if (!display.problem.empty()) {
    kProgram.Report(display.problem);
    return kFailed;
  }
  // Given as Qt's argument, not in the environment: the programs the viewer starts choose their own.
  std::string platforms = display.platforms;
  char platformOption[] = "-platform";
  char* appArgv[] = {program, platformOption, platforms.data(), nullptr};
  int appArgc = platforms.empty() ? 1 : 3;
  // The desktop entry's name: the app id of the windows on Wayland, by which
  // docks find the icon and the portal ties the global key to the program.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(bus::kApplicationId));
  QApplication application(appArgc, appArgv);
  InstallQtTranslations();
  CViewerApp viewer;
  if (hooks.settings.empty()) {
    viewer.Initialise(false);
  } else {
    viewer.InitialiseWith(hooks.settings, false);
  }
  if (bus && !bus->Serve(viewer.outside())) {
    // Another viewer took the name meanwhile, or shows on another display.
    if (options.service) return kDone;
    if (const std::optional<int> status = PassOn(*bus, options.request)) return *status;
    bus.reset();
  }
  if (bus) viewer.outside()->OfferGlobalShortcut(bus->connection());
  if (options.service) {
    QTimer::singleShot(kServiceWaitMs, viewer.outside(), &OutsideLookups::EndRunIfNothingShown);
  } else {
    // The launcher's startup id or activation token is Qt's own to use for a first window.
    viewer.outside()->OnLaunch(options.request, {});
  }
  if (hooks.started) hooks.started(viewer);
  const int status = application.exec();
  bus.reset();  // no request may reach the viewer while it goes
  return status;
}

}  // namespace

int ViewerMain(int argc, char** argv, const ViewerMainHooks& hooks) {
  return kProgram.Main(argc, argv, ParseLaunchOptions, kLaunchUsage,
                       [&](const LaunchOptions& options) { return RunViewer(argv[0], options, hooks); });
}

}  // namespace tavlex
