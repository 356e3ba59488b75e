// The controls of the application object editor, built once and named as the design names them.
#pragma once

#include <array>

#include "widgets/WidgetTypes.h"

namespace tavrin {

struct AppObjectEditorControls {
    // "Application Object Setting": the instance list and the table commands.
    QGroupBox* Frame2 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Instance = nullptr;
    QPushButton* AddApp = nullptr;  // lies over EraseMB in the same place
    QPushButton* EraseMB = nullptr;
    QPushButton* DeleteApp = nullptr;
    QPushButton* UpdateApp = nullptr;

    // "Modbus Device Parameter": the four fields of one object.
    QGroupBox* Frame1 = nullptr;
    QLineEdit* MB_ID = nullptr;
    QComboBox* MB_IO_type = nullptr;
    QLineEdit* MB_Start_addr = nullptr;
    QLineEdit* MB_Comm_len = nullptr;
    std::array<QLabel*, 4> Label1{};  // field captions
    std::array<QLabel*, 3> Label3{};  // range hints

    // Navigation and views.
    QPushButton* Command2 = nullptr;  // "Back"
    QPushButton* NextButton = nullptr;
    QPushButton* ShowMBInf = nullptr;
    QPushButton* ShowAppInf = nullptr;
    QPushButton* ShowAssInf = nullptr;
    // "Check on bus...": the working table's reads on the RS-485 line, in a window of its own.
    QPushButton* CheckOnBus = nullptr;
};

// Creates the controls inside `form` and lays them out.
AppObjectEditorControls BuildAppObjectEditorControls(QWidget& form);

}  // namespace tavrin
