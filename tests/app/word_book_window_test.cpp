// The word book's window as a user drives it from the viewer: ツール →
// 単語帳... opens it over the kept entries, newest first; the filter box
// narrows them, the keys go as in the main window, Delete and 元に戻す change
// the marks of the result display, an export asks for its file through the
// dialog, the chosen entries go to a small AnkiConnect of the test's own as
// mapped, and a word book file that cannot be used is told of in the window.
#include "app/word_book_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <fstream>

#include "app/anki_send_dialog.h"
#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/fake_anki.h"
#include "tests/support/fake_desktop_folders.h"
#include "tests/support/fake_timers.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/qt_printers.h"
#include "tests/support/run_program.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/view_fixture.h"
#include "tests/wordbook/kept_samples.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "wordbook/sqlite.h"

namespace tavlex {
namespace {

using testing::Settle;

class WordBookWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(dir_.path() / "tavlex.ini")
        << "[dictionary]\ndic1="
        << std::filesystem::path(testing::WriteTestDictionary(dir_, "english.dic",
                                                              {{u"cat", u"", 0, u"猫", u"", u""},
                                                               {u"dog", u"", 0, u"犬", u"", u""},
                                                               {u"cow", u"", 0, u"牛", u"", u""}}))
               .string()
        << "\n";
  }

  void Start() {
    app_.InitialiseWith(dir_.path() / "tavlex.ini");
    view()->OpenDictionaries();
    QApplication::setActiveWindow(app_.frame());
    Settle();
  }
  CLookupView* view() const { return app_.frame()->view(); }
  void Search(const QString& word) {
    view()->searchEdit()->setText(word);
    Settle();
  }
  void Keep(const QString& word) {
    Search(word);
    view()->KeepEntry(false);
  }
  CWordBookWindow* Open() {
    app_.frame()->OnCommand(ids::kWordBook);
    Settle();
    CWordBookWindow* window = app_.frame()->wordBookWindow();
    EXPECT_NE(window, nullptr);
    // The offscreen platform activates no window by itself.
    if (window) QApplication::setActiveWindow(window);
    return window;
  }
  template <typename T>
  static T* Child(CWordBookWindow* window, const char* name) {
    T* child = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static QStringList Rows(CWordBookWindow* window) {
    QStringList rows;
    const QAbstractItemModel* model = Child<QListView>(window, "wordBookList")->model();
    for (int row = 0; row < model->rowCount(); ++row) rows << model->index(row, 0).data().toString();
    return rows;
  }
  static QStringList Detail(CWordBookWindow* window) {
    QStringList texts;
    for (const auto& paragraph : Child<CEditor>(window, "wordBookDetail")->paragraphs())
      texts << paragraph.text;
    return texts;
  }
  static bool Reaches(const CAnkiSendDialog* dialog, AnkiSending::Stage stage) {
    return QTest::qWaitFor([&] { return dialog->sending().stage() == stage; }, 10'000);
  }
  std::filesystem::path BookFile() const { return folders_.folders().data / "wordbook.sqlite"; }

  testing::TempDir dir_;
  // A word book of this test's own.
  testing::FakeDesktopFolders folders_{dir_.path()};
  testing::FakeTimers timers_;
  testing::FakeMessageBoxes boxes_;
  testing::FakeSaveFileDialog saveDialog_;
  CViewerApp app_;
};

TEST_F(WordBookWindowTest, TheKeysFilterRemoveAndPutBackAsInTheMainWindow) {
  Start();
  for (const char* word : {"cat", "dog", "cow"}) Keep(QString::fromLatin1(word));
  CWordBookWindow* window = Open();
  ASSERT_NE(window, nullptr);
  QLineEdit* filter = Child<QLineEdit>(window, "wordBookFilter");
  QListView* list = Child<QListView>(window, "wordBookList");
  EXPECT_EQ(Rows(window), (QStringList{"cow  —  牛", "dog  —  犬", "cat  —  猫"}));
  EXPECT_EQ(Detail(window).mid(0, 2), (QStringList{"cow", "牛"}));

  // Each step: keys to the focused widget, then the rows, the entry shown, where the focus is.
  struct Step {
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    QString typed;
    QStringList rows;
    QString shown;  // the detail's first line; empty: nothing shown
    const char* focus;
  };
  const Step steps[] = {
      {{}, "c", {"cow  —  牛", "cat  —  猫"}, "cow", "wordBookFilter"},
      {{{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier}},
       "",
       {"cow  —  牛", "cat  —  猫"},
       "cat",
       "wordBookList"},
      // Delete: the chosen entry goes, the one above it is shown.
      {{{Qt::Key_Delete, Qt::NoModifier}}, "", {"cow  —  牛"}, "cow", "wordBookList"},
      {{{Qt::Key_Up, Qt::NoModifier}}, "", {"cow  —  牛"}, "cow", "wordBookFilter"},
      // Escape empties the box first.
      {{{Qt::Key_Escape, Qt::NoModifier}}, "", {"cow  —  牛", "dog  —  犬"}, "cow", "wordBookFilter"},
      {{{Qt::Key_Return, Qt::NoModifier}}, "", {"cow  —  牛", "dog  —  犬"}, "cow", "wordBookList"},
  };
  for (const Step& step : steps) {
    for (const auto& [key, modifiers] : step.keys)
      QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    if (!step.typed.isEmpty()) QTest::keyClicks(filter, step.typed);
    Settle();
    EXPECT_EQ(Rows(window), step.rows) << step.focus;
    const QStringList detail = Detail(window);
    EXPECT_EQ(detail.isEmpty() ? QString() : detail.front(), step.shown);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(step.focus));
  }
  // The result display lost the mark of the entry removed, and has it back after 元に戻す.
  Search("cat");
  EXPECT_EQ(testing::Shown(*view()).front(), "cat");
  Child<QPushButton>(window, "wordBookUndo")->click();
  Settle();
  EXPECT_EQ(testing::Shown(*view()).front(), "★ cat");
  EXPECT_EQ(Rows(window), (QStringList{"cow  —  牛", "dog  —  犬", "cat  —  猫"}));
  EXPECT_EQ(Child<QLabel>(window, "wordBookStatus")->text(), "1 件元に戻しました");

  // With an empty box Escape closes the window; the command opens it again.
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(Open(), window);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(WordBookWindowTest, AnExportWritesTheFileTheDialogNamesOrSaysWhyItCannot) {
  Start();
  for (const char* word : {"cat", "dog"}) Keep(QString::fromLatin1(word));
  CWordBookWindow* window = Open();
  ASSERT_NE(window, nullptr);
  QLabel* status = Child<QLabel>(window, "wordBookStatus");
  const QString words = QString::fromStdString((dir_.path() / "words").string());
  const QString none = QString::fromStdString((dir_.path() / "none" / "w.txt").string());
  struct Step {
    std::optional<std::pair<QString, int>> chosen;  // the dialog's file and filter; none: cancelled
    const char* button;
    QString said;
    std::string written;  // the file's name and what it begins with
    std::string starts;
  };
  const Step steps[] = {
      {std::nullopt, "wordBookExportAll", "", "", ""},
      {{{words, 1}},
       "wordBookExportAll",
       "2 件を " + words + ".csv に書き出しました",
       "words.csv",
       "id,kept,"},
      {{{none, 0}},
       "wordBookExportChosen",
       none + " に書き出せませんでした: No such file or directory",
       "",
       ""},
  };
  for (const Step& step : steps) {
    if (step.chosen) saveDialog_.SetNextResult(step.chosen->first, step.chosen->second);
    Child<QPushButton>(window, step.button)->click();
    EXPECT_EQ(status->text(), step.said);
    if (!step.written.empty()) {
      EXPECT_TRUE(testing::FileText(dir_.path() / step.written).starts_with(step.starts)) << step.written;
    }
  }
  EXPECT_EQ(saveDialog_.shown().size(), std::size(steps));
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "words.txt")) << "nothing written when cancelled";
}

TEST_F(WordBookWindowTest, AWordBookFileThatCannotBeUsedIsToldOfAndLeftAsItIs) {
  struct Case {
    std::function<void(const std::filesystem::path&)> make;
    QString told;  // before the file's path and SQLite's words
    QStringList rows;
  };
  const Case cases[] = {
      {[](const std::filesystem::path& file) { std::ofstream(file) << std::string(4096, 'x'); },
       "単語帳ではないファイルのため、使いません。ファイルはそのまま残してあります: ",
       {}},
      {[](const std::filesystem::path& file) {
         wordbook::WordBook(file).Keep(testing::Kept({.headword = u"kept", .translation = u"残す"}));
         sqlite::Connection(file, SQLITE_OPEN_READWRITE)
             .Execute(("PRAGMA user_version=" + std::to_string(wordbook::kSchemaVersion + 1)).c_str());
       },
       "新しい版の Tavlex "
       "が作った単語帳のため、読み取り専用で開いています。ファイルはそのまま残してあります: ",
       {"kept  —  残す"}},
  };
  for (const Case& c : cases) {
    std::filesystem::create_directories(BookFile().parent_path());
    c.make(BookFile());
    const std::string bytes = testing::FileText(BookFile());
    {
      CViewerApp app;
      app.InitialiseWith(dir_.path() / "tavlex.ini");
      app.frame()->OnCommand(ids::kWordBook);
      CWordBookWindow* window = app.frame()->wordBookWindow();
      QLabel* problem = Child<QLabel>(window, "wordBookProblem");
      EXPECT_FALSE(problem->isHidden());
      EXPECT_TRUE(problem->text().startsWith(c.told + QString::fromStdString(BookFile().string())))
          << problem->text().toStdString();
      // Delete changes nothing.
      Child<QListView>(window, "wordBookList")->setFocus();
      QTest::keyClick(Child<QListView>(window, "wordBookList"), Qt::Key_Delete);
      EXPECT_EQ(Rows(window), c.rows);
    }
    EXPECT_EQ(testing::FileText(BookFile()), bytes) << c.told.toStdString();
    std::filesystem::remove_all(BookFile().parent_path());
  }
}

TEST_F(WordBookWindowTest, AnkiGetsTheChosenEntriesAsMappedAndTheChoiceIsRemembered) {
  Start();
  for (const char* word : {"cat", "dog"}) Keep(QString::fromLatin1(word));
  CWordBookWindow* window = Open();
  ASSERT_NE(window, nullptr);
  testing::FakeAnki anki({{"deckNames", {"Default", "英語"}},
                          {"modelNames", {"Basic"}},
                          {"modelFieldNames", {"Front", "Back"}},
                          {"canAddNotes", {true}},
                          {"addNotes", {5}}});
  window->SetAnkiPortForTesting(anki.port());
  Child<QPushButton>(window, "wordBookSendToAnki")->click();
  CAnkiSendDialog* dialog = window->findChild<CAnkiSendDialog*>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Reaches(dialog, AnkiSending::Stage::kReady));
  EXPECT_EQ(dialog->findChild<QComboBox*>("ankiDeck")->currentText(), "Default");
  EXPECT_EQ(dialog->findChild<QComboBox*>("ankiField0")->currentText(), "見出し語");
  EXPECT_EQ(dialog->findChild<QComboBox*>("ankiField1")->currentText(), "訳語");
  dialog->findChild<QComboBox*>("ankiDeck")->setCurrentText("英語");
  dialog->findChild<QComboBox*>("ankiField1")->setCurrentText("引いた文");
  dialog->findChild<QPushButton*>("ankiSend")->click();
  ASSERT_TRUE(Reaches(dialog, AnkiSending::Stage::kSent));
  EXPECT_EQ(dialog->findChild<QLabel*>("ankiMessage")->text(),
            "Anki に 1 件追加しました。重複 (デッキにすでにあるもの) 0 件、追加できなかったもの 0 件");
  // The chosen entry (the newest), its source with the covered part in bold.
  const testing::FakeAnki::Json& note = anki.requests().back()["params"]["notes"][0];
  EXPECT_EQ(note["deckName"], "英語");
  EXPECT_EQ(note["fields"], (testing::FakeAnki::Json{{"Front", "dog"}, {"Back", "<b>dog</b>"}}));
  EXPECT_EQ(LoadAnkiChoice(app_.settings()),
            (AnkiChoice{"英語", "Basic", {wordbook::KeptField::kHeadword, wordbook::KeptField::kSource}}));
  delete dialog;

  // Nothing listening: said so, nothing to send.
  uint16_t closed = 0;
  {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    closed = server.serverPort();
  }
  window->SetAnkiPortForTesting(closed);
  Child<QPushButton>(window, "wordBookSendToAnki")->click();
  CAnkiSendDialog* offline = window->findChild<CAnkiSendDialog*>();
  ASSERT_NE(offline, nullptr);
  ASSERT_TRUE(Reaches(offline, AnkiSending::Stage::kFailed));
  EXPECT_TRUE(offline->findChild<QLabel*>("ankiMessage")
                  ->text()
                  .startsWith("Anki が起動していません (127.0.0.1:8765"));
  EXPECT_FALSE(offline->findChild<QPushButton*>("ankiSend")->isEnabled());
}

}  // namespace
}  // namespace tavlex
