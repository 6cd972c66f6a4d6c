#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What filling a list costs at the least, measured in this process: the
// baseline the program's own fills are compared with.
namespace qb::bench {

// A list box in a window that is never shown, so nothing of it is drawn.
class HiddenList {
 public:
  explicit HiddenList(DWORD list_style);
  ~HiddenList();
  HiddenList(const HiddenList&) = delete;
  HiddenList& operator=(const HiddenList&) = delete;

  HWND list() const { return list_; }
  int Count() const;

 private:
  HWND frame_ = nullptr;
  HWND list_ = nullptr;
};

// The styles of the program's lists: the scan's owner-drawn check list and
// the plain lists of the Ignored and Blocked pages.
DWORD CheckListStyle();
DWORD PlainListStyle();

// Empties the list and adds `items` with drawing off; milliseconds.
double BareFill(HiddenList& list, const std::vector<std::wstring>& items);

// Enumerates the subkeys of the Browser Helper Objects key, takes the CLSID
// text of each name and fills the list with them as BareFill does;
// milliseconds for the whole.
double BareScan(HiddenList& list);

}  // namespace qb::bench
