#include "app/main_frame.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

#include "app/command_states.h"
#include "app/menu_bar.h"
#include "app/menu_labels.h"
#include "app/word_book_window.h"
#include "platform/device.h"
#include "platform/phone_status.h"
#include "resources/icon.h"
#include "resources/menus.h"
#include "resources/resource_ids.h"
#include "ui/screen_fit.h"
#include "view/dictionary_menu.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

// A comfortable size for a dictionary window on a desktop, in logical pixels.
constexpr QSize kInitialSize(520, 720);
// How long a status message (what a keep did) stays.
constexpr int kStatusMessageMs = 4000;

}  // namespace

CMainFrame::CMainFrame(IniFile& settings, platform::CommandTarget* application,
                       platform::PhoneStatusService* phoneStatus)
    : application_(application), phoneStatus_(phoneStatus), settings_(settings) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QStringLiteral("Tavlex"));
  setWindowIcon(ProgramIcon());
  view_ = new CLookupView(settings, this);
  setCentralWidget(view_);
  // The status bar shows only while it has something to say: the small screens keep their lines.
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  statusBar()->hide();
  connect(statusBar(), &QStatusBar::messageChanged, statusBar(),
          [this](const QString& text) { statusBar()->setVisible(!text.isEmpty()); });
  connect(view_, &CLookupView::statusMessage, this,
          [this](const QString& text) { statusBar()->showMessage(text, kStatusMessageMs); });
  CreateAccelerators();
  OpenFirstMenuOnF10();
  RebuildMenuBar();
  // The handheld fills its screen; a desktop window keeps a reading size that fits its screen.
  resize(FitToScreen(this, kInitialSize));
  create();  // the native window, whose screen is followed from now on
  connect(windowHandle(), &QWindow::screenChanged, this, [this] {
    FollowScreen();
    OnScreenChanged();
  });
  FollowScreen();
}

// The view writes the dictionary settings into the image as it goes; the
// image itself is saved later, by the application.
CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCommand(int command) {
  if (command == ids::kWordBook) {
    ShowWordBook();
    return true;
  }
  if (command == ids::kExit) {
    emit exitRequested();
    platform::PostMessage(this, ids::kWmClose);
    return true;
  }
  return application_ && application_->OnCommand(command);
}

void CMainFrame::ShowWordBook() {
  if (!wordBookWindow_) {
    const auto settingsOf = [this](std::u16string_view path) -> std::optional<DictionarySettings> {
      const DictionarySet& set = view_->dictionarySet();
      for (size_t i = 0; i < set.count(); ++i) {
        if (set.at(i).path() == path) return set.at(i).settings();
      }
      return std::nullopt;
    };
    wordBookWindow_ = new CWordBookWindow(
        view_->wordBook(), settings_, settingsOf,
        [this] { return view_->searchFlow().searchOptions().foldKana; }, this);
    wordBookWindow_->FitScreen();
    connect(wordBookWindow_, &CWordBookWindow::wordBookChanged, view_, &CLookupView::ShowMarks);
  } else {
    wordBookWindow_->Reload();
  }
  wordBookWindow_->show();
  wordBookWindow_->raise();
  wordBookWindow_->activateWindow();
}

bool CMainFrame::OnCommandState(int command, platform::CommandState& state) {
  return application_ && application_->OnCommandState(command, state);
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == platform::MessageEvent::Type()) {
    const int message = static_cast<platform::MessageEvent*>(event)->message();
    if (message == ids::kWmSettingsChanged) RebuildMenuBar();
    if (message == ids::kWmClose) close();
    return true;
  }
  return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide) {
    watched->removeEventFilter(this);
    // Posted: the loop of the window that went ends first.
    QMetaObject::invokeMethod(this, &CMainFrame::CatchUpMenuBar, Qt::QueuedConnection);
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    view_->PasteOnActivate();
    CatchUpMenuBar();
  } else {
    RebuildMenuBar();
  }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RefitWhenFramed(this, fittedFrame_);
  RebuildMenuBar();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RefitWhenFramed(this, fittedFrame_);
}

void CMainFrame::RebuildMenuBar() {
  QWidget* front = WindowInFront();
  if (rebuildGate_.Ask(front != nullptr)) {
    BuildMenuBar();
  } else {
    front->removeEventFilter(this);  // watched once, however often it is asked
    front->installEventFilter(this);
  }
}

void CMainFrame::CatchUpMenuBar() {
  QWidget* front = WindowInFront();
  if (rebuildGate_.CatchUp(front != nullptr)) {
    BuildMenuBar();
  } else if (rebuildGate_.waiting()) {
    RebuildMenuBar();  // another dialog or menu came in front: wait for it
  }
}

QWidget* CMainFrame::WindowInFront() {
  QWidget* popup = QApplication::activePopupWidget();
  return popup ? popup : QApplication::activeModalWidget();
}

void CMainFrame::BuildMenuBar() {
  QMenuBar* bar = CreateMenuBar(this, MainMenu());
  connect(bar, &QMenuBar::triggered, this, [this](const QAction* item) {
    if (const int command = item->data().toInt()) platform::PostCommand(view_, command);
  });
  const MenuLabelRules rules{platform::DeviceClass(), view_->MenuTenkey() == 1, IsPortrait()};
  for (int i = 0; i < static_cast<int>(MainMenu().size()); ++i) {
    QMenu* popup = ButtonPopup(bar, i);
    connect(popup, &QMenu::aboutToShow, this, [this] { OnMenuLoop(true); });
    connect(popup, &QMenu::aboutToHide, this, [this] { OnMenuLoop(false); });
    if (i == kSearchMenuButton) {
      FillRecentWordsOnShow(CLookupView::RecentWordsMenu(popup), rules);
    } else {
      view_->FillDictionaryMenu(i == kMainMenuButton ? kSettingsMenu : kChoiceMenu, popup);
    }
    LeaveOutHiddenItems(popup, [this](int command) { return view_->QueryCommandState(command); });
    LabelMenu(popup, rules);
    ShowQtMenuTexts(popup, MainAccelerators());
    FollowCommandStates(popup, [this](int command) { return view_->QueryCommandState(command); });
  }
  setMenuBar(bar);
}

void CMainFrame::FillRecentWordsOnShow(QMenu* recent, const MenuLabelRules& rules) {
  if (!recent) return;
  view_->FillRecentWords(recent);
  // Before the states of its items are asked for (connected later): the words searched since the bar was
  // built.
  connect(recent, &QMenu::aboutToShow, this, [this, recent, rules] {
    view_->FillRecentWords(recent);
    LabelMenu(recent, rules);
    ShowQtMenuTexts(recent, MainAccelerators());
  });
}

void CMainFrame::CreateAccelerators() {
  for (const Accelerator& accelerator : MainAccelerators()) {
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("accelerator%1").arg(accelerator.command));
    action->setShortcut(accelerator.keys);
    connect(action, &QAction::triggered, this,
            [this, command = accelerator.command] { platform::PostCommand(view_, command); });
    addAction(action);
  }
}

void CMainFrame::OpenFirstMenuOnF10() {
  auto* key = new QAction(this);
  key->setObjectName(QStringLiteral("firstMenuKey"));
  key->setShortcut(Qt::Key_F10);
  connect(key, &QAction::triggered, this, [this] {
    const QList<QAction*> buttons = menuBar()->actions();
    if (!buttons.isEmpty()) menuBar()->setActiveAction(buttons.first());
  });
  addAction(key);
}

void CMainFrame::OnMenuLoop(bool entering) {
  if (phoneStatus_) phoneStatus_->OnMenuLoop(entering, view_->MenuTenkey());
}

void CMainFrame::FollowScreen() {
  disconnect(screenGeometry_);
  if (const QScreen* shown = screen()) {
    screenGeometry_ = connect(shown, &QScreen::geometryChanged, this, &CMainFrame::OnScreenChanged);
  }
}

void CMainFrame::OnScreenChanged() {
  // A window not shown yet is placed by the window manager when it shows.
  if (isVisible()) {
    const QRect fitted = FitOnScreen(this, geometry());
    if (fitted != geometry()) setGeometry(fitted);
  }
  RebuildMenuBar();  // also when the size stayed: the labels follow the screen's shape
}

bool CMainFrame::IsPortrait() const {
  const QScreen* shown = screen();
  return shown && shown->geometry().height() > shown->geometry().width();
}

}  // namespace tavlex
