#pragma once

#include <windows.h>

#include "harness/program.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The Scanner page driven as a person would: scan, select, tick and delete.
namespace qb::e2e {

// Presses Scan and waits until the list holds `expected` items; its items.
std::vector<std::wstring> ScanFor(HWND main, std::size_t expected);

// Clicks the middle of an item of a list box, as a person selects it.
void ClickListItem(HWND list, int index);

// Ticks every listed object, waits for the ticks and presses "Delete
// selected"; false when the ticks did not come.
bool TickAllAndDelete(HWND main);

// The rescan after the last object went: answers the clean-machine message
// with OK and the question that follows with No; false when either did not
// come.
bool AnswerCleanScan(DWORD process_id);

// The path of the only backup in the program folder; empty when there is
// not exactly one.
std::filesystem::path OnlyBackup(const ProgramFolder& folder);

// "Delete selected" on everything with Yes to "Are you sure?", the result's
// text, and the clean-machine messages of the rescan answered.
std::optional<std::wstring> DeleteAllObjects(HWND main, DWORD process_id);

}  // namespace qb::e2e
