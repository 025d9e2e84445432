// The rename journal reader over any bytes, and written journals read back to the
// same folder and renames.
#include "fuzz/fuzz_input.h"
#include "rename/rename_journal.h"

namespace {

// What a journal may hold as a name: no separator and no NUL, which the reader refuses.
std::string PlainName(std::string name) {
    for (char& c : name) {
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    rename_journal::Journal any;
    size_t badLine = 0;
    const bool ok =
        rename_journal::Read(std::string(reinterpret_cast<const char*>(bytes), size), any, badLine);
    FUZZ_CHECK(ok == (badLine == 0));

    FuzzInput input(bytes, size);
    const std::string folder = "/" + PlainName(input.TakeString());
    folder::FileIdentity folderId;
    folderId.isDirectory = true;
    folderId.created = input.TakeByte();
    std::string text = rename_journal::Header(folder, folderId);
    std::vector<rename_journal::Record> written;
    while (input.TakeByte() != 0) {
        rename_journal::Record r;
        r.identity.volume = input.TakeByte();
        r.identity.index = static_cast<uint64_t>(input.TakeByte()) << 56 | input.TakeByte();
        r.identity.isDirectory = input.TakeByte() & 1;
        r.identity.size = input.TakeByte();
        r.identity.modified = static_cast<uint64_t>(input.TakeByte()) << 63;
        r.identity.created = input.TakeByte();
        r.oldName = "o" + PlainName(input.TakeString());
        r.newName = "n" + PlainName(input.TakeString());
        text += rename_journal::Line(r);
        written.push_back(r);
    }
    rename_journal::Journal back;
    FUZZ_CHECK(rename_journal::Read(text, back, badLine));
    FUZZ_CHECK(back.folder == folder && back.records.size() == written.size());
    FUZZ_CHECK(back.folderIdentity == folderId);
    for (size_t i = 0; i < written.size(); ++i) {
        const folder::FileIdentity &was = written[i].identity, &is = back.records[i].identity;
        FUZZ_CHECK(is == was && is.size == was.size && is.modified == was.modified);
        FUZZ_CHECK(back.records[i].oldName == written[i].oldName);
        FUZZ_CHECK(back.records[i].newName == written[i].newName);
    }
    // A kill can cut the last line anywhere: what is whole still reads.
    if (!written.empty()) {
        text.pop_back();
        FUZZ_CHECK(rename_journal::Read(text, back, badLine));
        FUZZ_CHECK(back.records.size() == written.size() - 1);
    }
    return 0;
}
