#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/action.h"
#include "toolkit/control.h"

// The standard controls the forms are built from.
namespace qb::toolkit {

// Whether a control bound to an action shows the action's caption or keeps
// a caption of its own.
enum class CaptionSource { kAction, kOwn };

// A push button; clicking it runs its action, or `on_click` when unbound.
class Button : public Control, public ActionClient {
 public:
  Button(Parent parent, int id, DesignRect rect, std::string caption, DWORD extra_style = 0);
  ~Button() override;

  void BindAction(Action& action, CaptionSource caption = CaptionSource::kAction);
  void SetChecked(bool checked);
  bool IsChecked() const;

  std::function<void()> on_click;

  void OnCommand(WORD code) override;
  void OnActionChanged(const Action& action) override;

 private:
  Action* action_ = nullptr;
  CaptionSource caption_source_ = CaptionSource::kAction;
};

// A button of an exclusive group that stays down when pressed; the program
// decides which one is down.
class SectionButton : public Button {
 public:
  SectionButton(Parent parent, int id, DesignRect rect, std::string caption);

  void SetDown(bool down) { SetChecked(down); }
  bool IsDown() const { return IsChecked(); }
};

// A check box. Bound to an action it shows the action's check mark, and a
// click runs the action, which flips the mark.
class CheckBox : public Button {
 public:
  CheckBox(Parent parent, int id, DesignRect rect, std::string caption);

  void OnActionChanged(const Action& action) override;
};

class Label : public Control {
 public:
  Label(Parent parent, int id, DesignRect rect, std::string text, DWORD extra_style = 0,
        std::optional<FontSpec> font = std::nullopt);

  // Draws only the text, over whatever lies beneath.
  void SetTransparent(bool transparent) { transparent_ = transparent; }

  std::optional<LRESULT> OnColor(HDC dc) override;

 private:
  bool transparent_ = false;
};

class GroupBox : public Control {
 public:
  GroupBox(Parent parent, int id, DesignRect rect, std::string caption);
};

// One line that scrolls sideways; with ES_MULTILINE, lines wrapped at the
// width.
class Edit : public Control {
 public:
  Edit(Parent parent, int id, DesignRect rect, DWORD extra_style = 0);
};

class ListBox : public Control {
 public:
  // Holds the list box's drawing while it lives, so that a change of many
  // items costs one repaint instead of one per item; the last batch to end
  // repaints the items and the scroll bar once. Batches nest.
  class Batch {
   public:
    explicit Batch(ListBox& list);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    ListBox& list_;
  };

  ListBox(Parent parent, int id, DesignRect rect, DWORD extra_style = 0,
          std::optional<FontSpec> font = std::nullopt);

  // Item texts are the UTF-16 the control keeps; a text shows up to its
  // first NUL.
  void Clear();
  int Add(std::wstring_view text);
  // Replaces the items by `items`, in their order, as one batch, with room
  // for all of them reserved first. Afterwards no item is current and every
  // item's data is 0. Throws when the list box cannot take them all. The
  // texts are taken as the program keeps them, without a copy of each.
  void Fill(const std::vector<std::u16string>& items);
  void Delete(int index);
  int Count() const;
  std::wstring ItemText(int index) const;
  // The current item, -1 for none.
  int CurrentIndex() const;
  void SetCurrentIndex(int index);
  // The existing item under a point in client pixels, -1 for none.
  int ItemAt(int x, int y) const;
  void SetItemHeight(int design_pixels);
  // Item texts split at tabs into columns that start at these positions (at
  // 96 dpi, after the first); the list scrolls sideways to its widest item.
  // The list box needs LBS_USETABSTOPS and WS_HSCROLL.
  void SetColumns(std::vector<int> starts);

  // The user moved the highlight, by mouse or key. Changes made from code
  // are not reported; the release of a click is, even when it left the
  // current item as it was.
  std::function<void()> on_selection_change;

  void OnCommand(WORD code) override;

 protected:
  void ApplyOwnDpi() override;

 private:
  void ApplyColumns();

  int item_height_ = 0;       // at 96 dpi; 0 leaves the control's own
  std::vector<int> columns_;  // at 96 dpi
  int batch_depth_ = 0;
  bool batch_holds_drawing_ = false;
};

// A list box whose items carry a check box in a column at their left. The
// check state is the item's data (0 or 1), so other programs can read it.
class CheckListBox : public ListBox {
 public:
  CheckListBox(Parent parent, int id, DesignRect rect, std::optional<FontSpec> font = std::nullopt);

  bool Checked(int index) const;
  void SetChecked(int index, bool checked);
  // Every item at once, with one repaint.
  void SetAllChecked(bool checked);
  // Pixels 0 to 15 (at 96 dpi) of an item are its check box.
  bool InCheckColumn(int x) const;

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Toggle(int index);
};

}  // namespace qb::toolkit
