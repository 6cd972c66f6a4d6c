#pragma once

#include <windows.h>

#include <optional>

#include "promo/widgets/line_store.h"

namespace qb::promo {

// The messages other programs (tests, screen readers) read a text pane
// with, answered as an edit control answers them: WM_GETTEXT,
// WM_GETTEXTLENGTH, EM_GETLINECOUNT, EM_GETLINE and EM_GETSEL. Empty for
// any other message.
std::optional<LRESULT> AnswerEditQuery(const LineStore& lines, UINT message, WPARAM wparam,
                                       LPARAM lparam);

// The selection an EM_SETSEL asks for, read as an edit control reads it.
LineStore::Selection RequestedSelection(const LineStore& lines, WPARAM start, LPARAM end);

}  // namespace qb::promo
