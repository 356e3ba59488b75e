// The controls of the connection wizard, built once and named as the design names them.
#pragma once

#include <array>

#include "widgets/WidgetTypes.h"

namespace tavrin {

struct ConnectionWizardControls {
    // One frame per connection type: Poll, Bit-Strobe, COS/Cyclic.
    std::array<QGroupBox*, 3> Frame{};   // Frame1..Frame3
    std::array<QComboBox*, 3> InPut{};   // produced connection path
    std::array<QComboBox*, 3> OutPut{};  // consumed connection path; only Poll's is choosable
    std::array<QLabel*, 6> Label1{};     // captions, two per frame

    QGroupBox* EDSRegion = nullptr;
    std::array<QLineEdit*, 2> EDSInfo{};  // description, author
    QLabel* Label6 = nullptr;             // "Description:"
    QLabel* Label5 = nullptr;             // "Created By:"
    // Where the EDS file goes: shown, not typed; EdsFolderChange chooses another folder.
    QLabel* EdsFolderLabel = nullptr;  // "EDS Folder:"
    QLineEdit* EdsFolder = nullptr;
    QPushButton* EdsFolderChange = nullptr;
    // Only without a gateway, which would report it: the firmware revision for the EDS file.
    QLabel* FirmwareRevisionLabel = nullptr;  // "Firmware Revision:"
    QLineEdit* FirmwareRevision = nullptr;    // major.minor, such as 1.05

    QPushButton* BackButton = nullptr;
    QPushButton* FinishDeviceSet = nullptr;
    QPushButton* AppObj = nullptr;
    QPushButton* ShowSettingResult = nullptr;
};

// Creates the controls inside `form` and lays them out.
ConnectionWizardControls BuildConnectionWizardControls(QWidget& form);

}  // namespace tavrin
