#include "rules/FileFolders.h"

#include <filesystem>

namespace tavrin {

FileFolders::FileFolders(std::string programFolder, std::string documentsFolder,
                         FolderAccess& access)
    : m_programFolder(std::move(programFolder)),
      m_documentsFolder(std::move(documentsFolder)),
      m_access(access) {}

std::string FileFolders::DefaultFolder() {
    if (m_access.CreateCheck(m_programFolder) == 0) {
        return m_programFolder;
    }
    m_access.MakeFolder(m_documentsFolder);
    return m_documentsFolder;
}

std::string FileFolders::EdsFolder() {
    return m_choices.eds.empty() ? DefaultFolder() : m_choices.eds;
}

void FileFolders::ChooseEdsFolder(const std::string& folder) {
    if (folder.empty() || folder == m_choices.eds) {
        return;
    }
    m_choices.eds = folder;
    Changed();
}

std::string FileFolders::DialogFolder(FileKind kind) {
    const std::string& used =
        kind == FileKind::ParameterFile ? m_choices.parameterFiles : m_choices.transcripts;
    return used.empty() ? DefaultFolder() : used;
}

void FileFolders::Used(FileKind kind, const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    std::string& used =
        kind == FileKind::ParameterFile ? m_choices.parameterFiles : m_choices.transcripts;
    if (folder.empty() || folder == used) {
        return;
    }
    used = folder;
    Changed();
}

std::optional<std::string> FileFolders::EdsRefusal(const std::string& fileName) {
    const std::string folder = EdsFolder();
    const int error = m_access.CreateCheck(folder);
    if (error == 0) {
        return std::nullopt;
    }
    return EdsFolderRefusal(folder + "/" + fileName, error);
}

void FileFolders::Changed() {
    if (changed) {
        changed(m_choices);
    }
}

std::string CantWriteLine(const std::string& path, int error) {
    // A failure the system gave no reason for: the file did not come out as written.
    return path + ": " +
           (error != 0 ? ErrorText(error) : std::string("not written as it should be"));
}

std::string EdsFolderRefusal(const std::string& edsPath, int error) {
    return "Can't write " + CantWriteLine(edsPath, error) +
           "\nNothing was written to the gateway. Choose a folder you may write for the EDS "
           "file, then press Finish again.";
}

}  // namespace tavrin
