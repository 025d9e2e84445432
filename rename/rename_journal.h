// The record a batch rename keeps of its renames, so that they can be undone. One
// run, one text file of lines, each line ended by "\n":
//
//   quillet-rename-journal 1
//   folder<TAB>FOLDER
//   rename<TAB>VOLUME<TAB>INDEX<TAB>OLD<TAB>NEW      one per rename, before it is made
//
// VOLUME and INDEX (decimal) tell the renamed entry from every other; OLD and NEW are
// its names before and after. In FOLDER, OLD and NEW, "%", tab, line ends and the
// other control bytes are written as "%" and two hex digits, so a name holds no
// separator.
#pragma once

#include <string>
#include <vector>

#include "platform/folder.h"

namespace rename_journal {

struct Record {
    folder::FileIdentity identity;
    std::string oldName, newName;
};

struct Journal {
    std::string folder;
    std::vector<Record> records;  // in the order they were made
};

std::string Header(const std::string& folderPath);
std::string Line(const Record& record);

// False where a line is not one of the above; badLine then counts it from 1. A last
// line without its line end was cut short by a kill, before its rename, and is left
// out.
bool Read(const std::string& text, Journal& journal, size_t& badLine);

}  // namespace rename_journal
