#include "ui/main/QtFileDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace tavrin {
namespace {

std::optional<std::string> Ask(QWidget* parent, const FileDialogRequest& request,
                               QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString::fromStdString(request.title));
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QStringLiteral("ini"));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    dialog.setNameFilters(QtNameFilters(request.filter).split(QStringLiteral(";;")));
    dialog.setDirectory(QString::fromStdString(request.folder));
    dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : QFile::encodeName(chosen.front()).toStdString();
}

}  // namespace

QString QtNameFilters(const std::string& pipeFilter) {
    const QStringList parts = QString::fromStdString(pipeFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString pattern = QStringLiteral("(") + parts[i + 1] + QStringLiteral(")");
        filters << (description.contains(pattern) ? description
                                                  : description + QLatin1Char(' ') + pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtFileDialogs::AskSaveName(const FileDialogRequest& request) {
    return Ask(m_parent, request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtFileDialogs::AskOpenName(const FileDialogRequest& request) {
    return Ask(m_parent, request, QFileDialog::AcceptOpen);
}

}  // namespace tavrin
