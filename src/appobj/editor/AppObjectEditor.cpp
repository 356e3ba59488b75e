#include "appobj/editor/AppObjectEditor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "appobj/FunctionCodes.h"
#include "appobj/editor/DigitKeyFilter.h"
#include "appobj/views/ObjectViews.h"
#include "config/WordArithmetic.h"
#include "modbus/BusCheckGuard.h"
#include "widgets/CentreOnScreen.h"

namespace tavrin {
namespace {

// An entry names a position in the table, not an object: "Instance" with two blanks before the
// number, right of nine blanks.
QString InstanceEntry(int number) {
    return QStringLiteral("         Instance ") + QString::fromStdString(SignPosText(number));
}

// A stored length may be longer than the field lets the user type; show it whole.
void ShowNumber(QLineEdit* field, long long value) {
    const QString text = QString::number(value);
    if (text.size() > field->maxLength())
        field->setMaxLength(static_cast<int>(text.size()));
    field->setText(text);
}

}  // namespace

AppObjectEditor::AppObjectEditor(ConfigImage& image, MessageBoxes& boxes, ObjectViews& views,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_image(image),
      m_boxes(boxes),
      m_table(image),
      m_views(views),
      m_c(BuildAppObjectEditorControls(*this)),
      m_beep([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("IOAppO"));
    setWindowTitle(QStringLiteral("Application Object Setting"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* keys = new DigitKeyFilter([this] { m_beep(); }, [this] { m_c.EraseMB->show(); }, this);
    for (QLineEdit* field : {m_c.MB_ID, m_c.MB_Start_addr, m_c.MB_Comm_len}) {
        field->installEventFilter(keys);
    }

    connect(m_c.AddApp, &QPushButton::clicked, this, &AppObjectEditor::AddClick);
    connect(m_c.DeleteApp, &QPushButton::clicked, this, &AppObjectEditor::DeleteClick);
    connect(m_c.UpdateApp, &QPushButton::clicked, this, &AppObjectEditor::UpdateClick);
    connect(m_c.EraseMB, &QPushButton::clicked, this, &AppObjectEditor::EraseClick);
    connect(m_c.Instance, &QComboBox::activated, this, &AppObjectEditor::InstanceClick);
    connect(m_c.MB_IO_type, &QComboBox::activated, this, &AppObjectEditor::FunctionCodeClick);
    connect(m_c.Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(m_c.NextButton, &QPushButton::clicked, this, &AppObjectEditor::NextClick);
    connect(m_c.ShowMBInf, &QPushButton::clicked, this, [this] { m_views.OpenModuleView(this); });
    connect(m_c.ShowAppInf, &QPushButton::clicked, this, [this] { m_views.OpenAppObjView(this); });
    connect(m_c.ShowAssInf, &QPushButton::clicked, this, [this] { m_views.OpenAssObjView(this); });
    connect(m_c.CheckOnBus, &QPushButton::clicked, this, &AppObjectEditor::CheckOnBusClick);
    Load();
}

void AppObjectEditor::Load() {
    m_table.Load();
    for (const FunctionCode& code : kFunctionCodes) {
        m_c.MB_IO_type->addItem(QString::fromLatin1(code.text));
    }
    m_c.Instance->clear();
    for (int i = 0; i < m_table.Count(); ++i)
        AppendInstanceEntry(i + 1);
    SetTableCommandsEnabled();
    if (m_table.Count() > 0) {
        SelectInstance(0);
    } else {
        m_c.MB_ID->clear();
        SelectFunctionCode(0);
        ShowAddButton(true);
    }
    CentreOnScreen(*this);
}

EditorFields AppObjectEditor::Fields() const {
    return {m_c.MB_ID->text().toStdString(), m_c.MB_IO_type->currentIndex(),
            m_c.MB_Start_addr->text().toStdString(), m_c.MB_Comm_len->text().toStdString()};
}

void AppObjectEditor::AppendInstanceEntry(int number) {
    m_c.Instance->addItem(InstanceEntry(number));
}

void AppObjectEditor::ShowAddButton(bool add) {
    m_c.AddApp->setVisible(add);
    m_c.EraseMB->setVisible(!add);
}

void AppObjectEditor::SetTableCommandsEnabled() {
    const bool any = m_table.Count() > 0;
    m_c.UpdateApp->setEnabled(any);
    m_c.DeleteApp->setEnabled(any);
}

void AppObjectEditor::SelectInstance(int index) {
    m_c.Instance->setCurrentIndex(index);
    InstanceClick(index);
}

void AppObjectEditor::SelectFunctionCode(int index) {
    m_c.MB_IO_type->setCurrentIndex(index);
    FunctionCodeClick(index);
}

void AppObjectEditor::AddClick() {
    if (!Shown(m_table.Add(Fields())))
        return;
    AppendInstanceEntry(m_table.Count());
    SelectInstance(m_table.Count() - 1);
    SetTableCommandsEnabled();
    ShowAddButton(false);
}

void AppObjectEditor::DeleteClick() {
    const int next = m_table.Delete(m_c.Instance->currentIndex());
    if (m_c.Instance->count() > m_table.Count())
        m_c.Instance->removeItem(m_table.Count());
    if (next >= 0) {
        SelectInstance(next);
    } else {
        m_c.Instance->setCurrentIndex(-1);
    }
    SetTableCommandsEnabled();
    ShowAddButton(false);
}

void AppObjectEditor::UpdateClick() {
    if (Shown(m_table.Update(m_c.Instance->currentIndex(), Fields())))
        ShowAddButton(false);
}

bool AppObjectEditor::Shown(const TableEdit& edit) {
    for (const Notice& notice : edit.notices)
        ShowNotice(m_boxes, notice);
    return edit.done;
}

void AppObjectEditor::EraseClick() {
    SelectFunctionCode(0);
    m_c.MB_ID->clear();
    m_c.MB_Start_addr->clear();
    m_c.MB_Comm_len->clear();
    ShowAddButton(true);
}

// Choosing the function code clears the address and length, so they are shown after it.
void AppObjectEditor::InstanceClick(int index) {
    if (index < 0 || index >= m_table.Count())
        return;
    const AppObject& object = m_table.Object(index);
    m_c.MB_ID->setText(QString::number(object.MBID));
    SelectFunctionCode(FunctionCodeIndexOf(object));
    ShowNumber(m_c.MB_Start_addr, object.MBSA);
    ShowNumber(m_c.MB_Comm_len, object.MBCL);
    ShowAddButton(false);
}

void AppObjectEditor::FunctionCodeClick(int index) {
    const FieldLabels labels = LabelsFor(index);
    m_c.Label1[2]->setText(QString::fromLatin1(labels.address));
    m_c.Label1[3]->setText(QString::fromLatin1(labels.length));
    m_c.Label3[1]->setText(QString::fromLatin1(labels.addressRange));
    m_c.Label3[2]->setText(QString::fromLatin1(labels.lengthRange));
    m_c.MB_Start_addr->clear();
    m_c.MB_Comm_len->clear();
    m_c.MB_Start_addr->setMaxLength(5);
    m_c.MB_Comm_len->setMaxLength(labels.lengthMaxChars);
    m_c.EraseMB->show();
}

void AppObjectEditor::NextClick() {
    hide();
    emit NextRequested();
}

void AppObjectEditor::closeEvent(QCloseEvent* event) {
    m_table.Discard();
    event->accept();
    emit Unloaded();
}

void AppObjectEditor::CheckOnBusClick() {
    if (m_busServices.consoleBusy && m_busServices.consoleBusy()) {
        m_boxes.Show(kBusCheckConsoleBusy, "Error");
        return;
    }
    if (m_busCheck) {
        m_busCheck->raise();
        m_busCheck->activateWindow();
        return;
    }
    // The editor's own window: it goes with the editor, its run stopped first.
    m_busCheck =
        new BusCheckWindow(ObjectsOf(m_image.working), SerialSettingsOf(m_image.settings, {}),
                           m_busServices, m_boxes, this);
    m_busCheck->show();
}

}  // namespace tavrin
