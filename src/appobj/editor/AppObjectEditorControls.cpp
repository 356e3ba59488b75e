#include "appobj/editor/AppObjectEditorControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/ControlNames.h"

namespace tavrin {
namespace {

QPushButton* NewButton(const char* name, const char* caption) {
    return Named(new QPushButton(QString::fromLatin1(caption)), QString::fromLatin1(name));
}

QLabel* NewLabel(const QString& name, const char* caption) {
    return Named(new QLabel(QString::fromLatin1(caption)), name);
}

QLineEdit* NewField(const char* name, int maxLength) {
    auto* field = Named(new QLineEdit, QString::fromLatin1(name));
    field->setMaxLength(maxLength);
    field->setAlignment(Qt::AlignRight);
    return field;
}

}  // namespace

AppObjectEditorControls BuildAppObjectEditorControls(QWidget& form) {
    AppObjectEditorControls c;

    c.Frame2 = Named(new QGroupBox(QStringLiteral("Application Object Setting")),
                     QStringLiteral("Frame2"));
    c.Label2 = NewLabel(QStringLiteral("Label2"), "Application Object");
    c.Instance = Named(new QComboBox, QStringLiteral("Instance"));
    c.Instance->setMinimumContentsLength(14);
    c.AddApp = NewButton("AddApp", "Add");
    c.EraseMB = NewButton("EraseMB", "Erase");
    c.DeleteApp = NewButton("DeleteApp", "Delete");
    c.UpdateApp = NewButton("UpdateApp", "Update");

    // Add and Erase share one place; Add is created last and raised, so it covers Erase whenever
    // both are shown.
    auto* addOrErase = new QGridLayout;
    addOrErase->setContentsMargins(0, 0, 0, 0);
    addOrErase->addWidget(c.EraseMB, 0, 0);
    addOrErase->addWidget(c.AddApp, 0, 0);
    c.AddApp->raise();

    auto* tableLayout = new QGridLayout(c.Frame2);
    tableLayout->addWidget(c.Label2, 0, 0);
    tableLayout->addWidget(c.Instance, 0, 1);
    auto* commands = new QHBoxLayout;
    commands->addLayout(addOrErase);
    commands->addWidget(c.DeleteApp);
    commands->addWidget(c.UpdateApp);
    tableLayout->addLayout(commands, 1, 0, 1, 2);

    c.Frame1 =
        Named(new QGroupBox(QStringLiteral("Modbus Device Parameter")), QStringLiteral("Frame1"));
    c.MB_ID = NewField("MB_ID", 3);
    c.MB_IO_type = Named(new QComboBox, QStringLiteral("MB_IO_type"));
    c.MB_Start_addr = NewField("MB_Start_addr", 5);
    c.MB_Comm_len = NewField("MB_Comm_len", 4);
    // Designer captions; the first function-code selection at load replaces the last three.
    const char* captions[] = {"Modbus Device NodeID", "Modbus Function Code",
                              "Register/Relay Address", "Data Length (Bits)"};
    for (int i = 0; i < 4; ++i)
        c.Label1[i] = NewLabel(Indexed("Label1", i), captions[i]);
    const char* ranges[] = {"(1~247)", "(1~9999)", "(1~1920)"};
    for (int i = 0; i < 3; ++i)
        c.Label3[i] = NewLabel(Indexed("Label3", i), ranges[i]);

    auto* fields = new QGridLayout(c.Frame1);
    fields->addWidget(c.Label1[0], 0, 0);
    fields->addWidget(c.MB_ID, 0, 1);
    fields->addWidget(c.Label3[0], 0, 2);
    fields->addWidget(c.Label1[1], 1, 0);
    fields->addWidget(c.MB_IO_type, 1, 1, 1, 2);
    fields->addWidget(c.Label1[2], 2, 0);
    fields->addWidget(c.MB_Start_addr, 2, 1);
    fields->addWidget(c.Label3[1], 2, 2);
    fields->addWidget(c.Label1[3], 3, 0);
    fields->addWidget(c.MB_Comm_len, 3, 1);
    fields->addWidget(c.Label3[2], 3, 2);
    fields->setColumnStretch(1, 1);

    c.Command2 = NewButton("Command2", "Back");
    c.NextButton = NewButton("NextButton", "Next");
    c.ShowMBInf = NewButton("ShowMBInf", "Device View ");
    c.ShowAppInf = NewButton("ShowAppInf", "Application Object View");
    c.ShowAssInf = NewButton("ShowAssInf", "Assembly Objcet View");
    c.CheckOnBus = NewButton("CheckOnBus", "Check on bus...");

    auto* views = new QHBoxLayout;
    views->addWidget(c.ShowMBInf);
    views->addWidget(c.ShowAppInf);
    views->addWidget(c.ShowAssInf);
    auto* navigation = new QHBoxLayout;
    navigation->addWidget(c.CheckOnBus);
    navigation->addStretch(1);
    navigation->addWidget(c.Command2);
    navigation->addWidget(c.NextButton);

    auto* page = new QVBoxLayout(&form);
    page->addWidget(c.Frame2);
    page->addWidget(c.Frame1);
    page->addLayout(views);
    page->addLayout(navigation);
    return c;
}

}  // namespace tavrin
