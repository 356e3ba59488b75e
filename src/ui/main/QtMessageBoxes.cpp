#include "ui/main/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tavrin {
namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::Critical:
            return QMessageBox::Critical;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

BoxAnswer QtMessageBoxes::Show(const std::string& text, const std::string& title,
                               BoxButtons buttons, BoxIcon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(title.empty() ? kProgramTitle : title));
    box.setText(QString::fromStdString(text));
    box.setIcon(ToQt(icon));
    if (buttons != BoxButtons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == BoxButtons::YesNoDefaultNo ? QMessageBox::No
                                                                   : QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return BoxAnswer::Ok;
}

}  // namespace tavrin
