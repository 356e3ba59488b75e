#include "eds/ui/ConnectionWizardControls.h"

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

QComboBox* NewPathList(const QString& name) {
    auto* list = Named(new QComboBox, name);
    // Wide enough for "I : 01(Assembly 03)" and "O : 12(AO,App.10)" without eliding.
    list->setMinimumContentsLength(18);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

}  // namespace

ConnectionWizardControls BuildConnectionWizardControls(QWidget& form) {
    ConnectionWizardControls c;
    const char* frameCaptions[] = {"Poll Info", "Strobe Info", "COS/Cyclic Info"};
    // The Bit-Strobe and COS/Cyclic consumed paths are fixed by the gateway; their captions are
    // placeholders in the design and stay so.
    const char* outputCaptions[] = {"Consumed Connection Path", "xxxxxxxxxxxx", "xxxxxxxxxxxx"};

    auto* frames = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        c.Frame[i] = Named(new QGroupBox(QString::fromLatin1(frameCaptions[i])),
                           QStringLiteral("Frame") + QString::number(i + 1));
        c.InPut[i] = NewPathList(Indexed("IntPut", i));
        c.OutPut[i] = NewPathList(Indexed("OutPut", i));
        c.Label1[2 * i] =
            Named(new QLabel(QStringLiteral("Produced Connection Path")), Indexed("Label1", 2 * i));
        c.Label1[2 * i + 1] =
            Named(new QLabel(QString::fromLatin1(outputCaptions[i])), Indexed("Label1", 2 * i + 1));
        auto* column = new QVBoxLayout(c.Frame[i]);
        column->addWidget(c.Label1[2 * i]);
        column->addWidget(c.InPut[i]);
        column->addSpacing(8);
        column->addWidget(c.Label1[2 * i + 1]);
        column->addWidget(c.OutPut[i]);
        column->addStretch(1);
        frames->addWidget(c.Frame[i]);
    }
    c.OutPut[1]->setEnabled(false);
    c.OutPut[2]->setEnabled(false);

    c.EDSRegion = Named(new QGroupBox(QStringLiteral("EDS File Information")), "EDSRegion");
    c.Label6 = Named(new QLabel(QStringLiteral("Description:")), "Label6");
    c.Label5 = Named(new QLabel(QStringLiteral("Created By:")), "Label5");
    for (int i = 0; i < 2; ++i) {
        c.EDSInfo[i] = Named(new QLineEdit, Indexed("EDSInfo", i));
    }
    c.EdsFolderLabel = Named(new QLabel(QStringLiteral("EDS Folder:")), "EdsFolderLabel");
    c.EdsFolder = Named(new QLineEdit, "EdsFolder");
    c.EdsFolder->setReadOnly(true);
    c.EdsFolderChange = Named(new QPushButton(QStringLiteral("Change...")), "EdsFolderChange");
    auto* info = new QGridLayout(c.EDSRegion);
    info->addWidget(c.Label6, 0, 0);
    info->addWidget(c.EDSInfo[0], 0, 1, 1, 2);
    info->addWidget(c.Label5, 1, 0);
    info->addWidget(c.EDSInfo[1], 1, 1, 1, 2);
    info->addWidget(c.EdsFolderLabel, 2, 0);
    info->addWidget(c.EdsFolder, 2, 1);
    info->addWidget(c.EdsFolderChange, 2, 2);
    c.FirmwareRevisionLabel =
        Named(new QLabel(QStringLiteral("Firmware Revision:")), "FirmwareRevisionLabel");
    c.FirmwareRevision = Named(new QLineEdit, "FirmwareRevision");
    c.FirmwareRevision->setPlaceholderText(QStringLiteral("1.05"));
    c.FirmwareRevision->setMaxLength(7);
    info->addWidget(c.FirmwareRevisionLabel, 3, 0);
    info->addWidget(c.FirmwareRevision, 3, 1, Qt::AlignLeft);
    info->setColumnStretch(1, 1);

    c.BackButton = Named(new QPushButton(QStringLiteral("Back")), "BackButton");
    c.FinishDeviceSet = Named(new QPushButton(QStringLiteral("Finish")), "FinishDeviceSet");
    c.AppObj = Named(new QPushButton(QStringLiteral("Application Object View")), "AppObj");
    c.ShowSettingResult =
        Named(new QPushButton(QStringLiteral("Assembly Objcet View")), "ShowSettingResult");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.AppObj);
    buttons->addWidget(c.ShowSettingResult);
    buttons->addStretch(1);
    buttons->addWidget(c.BackButton);
    buttons->addWidget(c.FinishDeviceSet);

    auto* page = new QVBoxLayout(&form);
    page->addLayout(frames);
    page->addWidget(c.EDSRegion);
    page->addLayout(buttons);
    return c;
}

}  // namespace tavrin
