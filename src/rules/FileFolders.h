// Where the program's files go. Installed under /usr, the program's folder is not the user's to
// write, so the EDS file and the file dialogs go to a folder the user may write: the program's
// folder when the user may write there (a build tree or a portable copy, as it always was), else
// the user's documents folder. The user may choose another folder for the EDS file, and each file
// dialog starts where the last one of its kind was used; the window keeps those choices per user.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/FolderAccess.h"

namespace tavrin {

// The kinds of file whose dialogs remember their folder apart. Comparing opens a parameter file.
enum class FileKind { ParameterFile, Transcript };

// What is remembered for the user; an empty folder means none was chosen or used yet.
struct FolderChoices {
    std::string eds;             // chosen with "Change..." in the connection wizard
    std::string parameterFiles;  // the folder of the last parameter file saved, opened or compared
    std::string transcripts;     // the folder of the last transcript saved
};

class FileFolders {
public:
    // `documentsFolder`: the user's documents folder, made when it is the default and missing.
    FileFolders(std::string programFolder, std::string documentsFolder, FolderAccess& access);

    // The program's folder when a file can be created there, else the documents folder (made
    // when missing; if it cannot be made it is still the answer, and the check before the write
    // says why).
    std::string DefaultFolder();
    // Where the EDS file goes: the user's choice, else the default.
    std::string EdsFolder();
    void ChooseEdsFolder(const std::string& folder);
    // Where a file dialog for `kind` starts: the folder last used for that kind, else the default.
    std::string DialogFolder(FileKind kind);
    // A dialog for `kind` answered `path`: its folder is where the next one starts.
    void Used(FileKind kind, const std::string& path);

    // Before anything is typed into the gateway: nothing when the EDS file `fileName` ("RODAR_
    // 5.eds") can be created in EdsFolder(), else the message that says why and that nothing was
    // written.
    std::optional<std::string> EdsRefusal(const std::string& fileName);

    const FolderChoices& Choices() const { return m_choices; }
    // The choices kept from an earlier run; does not call `changed`.
    void Restore(const FolderChoices& choices) { m_choices = choices; }
    // Called after every change, so the window keeps the choices for the user.
    std::function<void(const FolderChoices&)> changed;

    FolderAccess& Access() { return m_access; }

private:
    void Changed();

    std::string m_programFolder;
    std::string m_documentsFolder;
    FolderAccess& m_access;
    FolderChoices m_choices;
};

// The line every "can't write" message adds under its own text: the path and the system's reason,
// "/usr/bin/5310G_EEP.ini: Permission denied". Error 0, a failure the system gave no reason for,
// says the file was not written as it should be.
std::string CantWriteLine(const std::string& path, int error);

// "Can't write <folder>/RODAR_ 5.eds: <reason>" and, under it, that nothing was written to the
// gateway and how to go on.
std::string EdsFolderRefusal(const std::string& edsPath, int error);

}  // namespace tavrin
