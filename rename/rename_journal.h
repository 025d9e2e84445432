// The record a batch rename keeps of its renames, so that they can be undone. One
// run, one text file of lines, each line ended by "\n":
//
//   quillet-rename-journal 2
//   folder<TAB>IDENTITY<TAB>FOLDER
//   rename<TAB>IDENTITY<TAB>OLD<TAB>NEW      one per rename, before it is made
//
// IDENTITY is six fields, VOLUME, INDEX, KIND ("f" a file or a link, "d" a folder),
// SIZE, MODIFIED and CREATED, in decimal: what tells the folder (through its links)
// and each renamed entry (itself) from every other. FOLDER is the folder's path with
// its links resolved; OLD and NEW are an entry's names before and after. In them "%",
// tab, line ends and the other control bytes are written as "%" and two hex digits,
// so a name holds no separator.
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
    folder::FileIdentity folderIdentity;
    std::vector<Record> records;  // in the order they were made
};

std::string Header(const std::string& folderPath, const folder::FileIdentity& folderIdentity);
std::string Line(const Record& record);

// False where a line is not one of the above, or names an entry outside the folder
// (a name that holds a separator or NUL, "." or ".."); badLine then counts it from 1.
// A last line without its line end was cut short by a kill, before its rename, and is
// left out.
bool Read(const std::string& text, Journal& journal, size_t& badLine);

// Whether text is a journal of the first format, whose identities (a file number
// alone) cannot tell a renamed entry from a new one; it is not read.
bool IsFirstFormat(const std::string& text);

}  // namespace rename_journal
