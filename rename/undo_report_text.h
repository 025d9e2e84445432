// The window's texts for an undo of a folder's last run: the question before it and
// the report after, built from what the undo found.
#pragma once

#include <string>

#include "rename/rename_undo.h"

namespace undo_report_text {

// What will come back, NOW -> OLD, and what will be left alone, ending in the question.
std::string Question(const UndoResult& found);
// How many names came back, and each one left alone with why.
std::string Report(const UndoResult& done);
// Nothing can come back: each name left alone with why.
std::string NothingToRestore(const UndoResult& found);

}  // namespace undo_report_text
