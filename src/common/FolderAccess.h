// What the program's file rules need of the file system: whether a file can be created in a
// folder now, and making a folder. Behind an interface so the rules are tested without a user who
// lacks the rights.
#pragma once

#include <string>

namespace tavrin {

class FolderAccess {
public:
    virtual ~FolderAccess() = default;
    // 0 when a file can be created and written in `folder` now; otherwise the system's error
    // number that says why not (EACCES, ENOENT, ENOTDIR, EROFS, ENOSPC, ...).
    virtual int CreateCheck(const std::string& folder) = 0;
    // Makes `folder` with its missing parents; 0 when it is there afterwards, else the error
    // number.
    virtual int MakeFolder(const std::string& folder) = 0;
};

// The machine's own file system. The check creates a small hidden file beside where the real one
// would go and removes it again: permissions, access lists, a read-only mount and a full disk all
// answer exactly as they will for the real file.
class SystemFolders final : public FolderAccess {
public:
    int CreateCheck(const std::string& folder) override;
    int MakeFolder(const std::string& folder) override;
};

// The system's description of `error` ("Permission denied"), as the file messages add it.
std::string ErrorText(int error);

// 0 when the file at `path` can be written as the program writes its files (a new file beside it
// that then replaces it); otherwise the error number. A folder where the file should be is
// EISDIR; a file that exists but cannot be read (its other lines are kept) is that error.
int FileWriteCheck(FolderAccess& folders, const std::string& path);

}  // namespace tavrin
