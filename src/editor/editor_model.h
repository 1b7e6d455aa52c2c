#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "desktop/user_dialogs.h"
#include "editor/font_choice.h"
#include "editor/grid_cursor.h"
#include "editor/list_search.h"
#include "editor/word_list_document.h"

class QuorlSaver;
class RandomSource;
namespace WordImport {
struct ImportedWords;
}

// The word-list editor without its window: one editing session over the
// saver's list. It owns the document, the grid cursor over it, the two font
// choosers and the search, takes what the window reports and runs every
// command, asking the user through UserDialogs where a command needs an
// answer (save first? overwrite? which file?).
//
// Each action below emits changed() once when it is done, also when it runs
// another on the way; the window then redraws itself from document(),
// grid() and fonts(). Typing into an edit box or a font chooser changes
// nothing the window shows, and the font tick reports through its result.
class EditorModel final : public QObject {
  Q_OBJECT

 public:
  enum class SaveOutcome { Saved, NothingToSave, Cancelled, Declined, Failed };
  enum class OkOutcome { Applied, Discarded, StayOpen };

  EditorModel(QuorlSaver& saver, UserDialogs& dialogs, QObject* parent = nullptr);

  const WordListDocument& document() const { return document_; }
  const GridCursor& grid() const { return grid_; }
  const FontChoosers& fonts() const { return fonts_; }

  // Opens the editor on the saver's word list; `fontFamilies` are the
  // installed font families in the platform's order.
  void load(const QStringList& fontFamilies);

  // --- what the window reports (see GridCursor and FontChoosers) ----------
  void setBoxText(int column, const QString& text) { grid_.setBoxText(column, text); }
  void clickCell(int column, int row);
  void keyDown(int column, GridCursor::NavKey key, int caret);
  void setScrollValue(int value);
  int takeFocusRequest() { return grid_.takeFocusRequest(); }
  void pickFont(int column, int index);
  void typeFontText(int column, const QString& text) { fonts_.typeFontText(column, text); }
  // One tick of the 300 ms font timer; true when a column got a new font.
  bool fontTick();

  // --- file operations ----------------------------------------------------
  void fileNew();
  void fileOpen();
  SaveOutcome saveAs();
  SaveOutcome overwrite();
  // Commits, drops the items blank in both columns and writes the list to
  // `path` without asking; only a refusal is told.
  SaveOutcome saveQqAa(const QString& path);
  // OK: apply the working list to the saver, or ask to save it first.
  OkOutcome ok();
  // The window is asked to close; true when it may.
  bool mayClose();

  // --- item operations ----------------------------------------------------
  void itemInsert();
  void itemDelete();
  void itemMove(ItemOperations::MoveDirection direction);
  void sortByQuestion();
  void shuffle();
  // The generator the shuffle draws from; the program's shared one by default.
  void setRandomSource(RandomSource& random) { random_ = &random; }

  // --- search -------------------------------------------------------------
  bool searchBarShown() const { return searchBarShown_; }
  // Commits, then shows or hides the search bar.
  void toggleSearchBar();
  // SEARCH with `text` in the search box: the cell moves to the next match,
  // whose place in the edit box is returned; nullopt after telling the user
  // that there is none.
  std::optional<SearchMatch> findNext(const QString& text);

  // --- imports ------------------------------------------------------------
  void importText();
  void importVcb();

 signals:
  void changed();

 private:
  // Held for the length of an action: the outermost one emits changed() when it ends.
  class Action {
   public:
    explicit Action(EditorModel& model) : model_(model) { ++model_.actionDepth_; }
    ~Action() {
      if (--model_.actionDepth_ == 0) emit model_.changed();
    }
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

   private:
    EditorModel& model_;
  };

  // True when the working list may be replaced (after asking to save it).
  bool ffChg();
  // A file chooser for `filter`, starting in the working list's folder.
  UserDialogs::FileRequest fileRequest(const QString& filter) const;
  // An import becomes the working list: unsaved, named "NEW".
  void takeImported(const WordImport::ImportedWords& words);
  // A flashcard package: the deck and field choices are asked through the dialogs.
  void importAnkiPackage(const QString& path);

  QuorlSaver& saver_;
  UserDialogs& dialogs_;
  WordListDocument document_;
  GridCursor grid_{document_};
  FontChoosers fonts_;
  // The editor's search restarts whenever the window opens.
  ListSearch search_;
  bool searchBarShown_ = false;
  RandomSource* random_;
  int actionDepth_ = 0;
};
