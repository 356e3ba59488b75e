#include "widgets/DevicePathDialog.h"

#include <QInputDialog>
#include <QLineEdit>

namespace tavrin {

std::optional<std::string> AskDevicePath(QWidget* parent) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, QStringLiteral("Other port"), QStringLiteral("Device path:"),
                              QLineEdit::Normal, QStringLiteral("/dev/"), &ok);
    const std::string device = text.trimmed().toStdString();
    if (!ok || device.empty()) {
        return std::nullopt;
    }
    return device;
}

}  // namespace tavrin
