// The widget classes the control structs hold pointers to, declared so that a form's control
// struct can be read without pulling in the widget headers.
#pragma once

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
