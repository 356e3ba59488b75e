// IOAppO, "Application Object Setting": the editor of the up to ten Modbus commands the gateway
// issues as master. It copies the objects read from the gateway into the working table when it
// opens, lets the user add, update, delete and inspect them, and hands the table on to the
// connection wizard. It never talks to the gateway itself; the rules live in WorkingTable.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "appobj/WorkingTable.h"
#include "appobj/editor/AppObjectEditorControls.h"
#include "common/MessageBoxes.h"
#include "modbus/ui/BusCheckWindow.h"

namespace tavrin {

class ObjectViews;

class AppObjectEditor final : public QWidget {
    Q_OBJECT
public:
    AppObjectEditor(ConfigImage& image, MessageBoxes& boxes, ObjectViews& views,
                    QWidget* parent = nullptr);

    const AppObjectEditorControls& Controls() const { return m_c; }
    const WorkingTable& Table() const { return m_table; }
    // What a refused key sounds; tests count it instead.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    void AddClick();
    void DeleteClick();
    void UpdateClick();
    void EraseClick();
    void InstanceClick(int index);
    void FunctionCodeClick(int index);
    void NextClick();
    // "Check on bus...": opens the bus check of the working table (one window at most); refused
    // while a console job runs.
    void CheckOnBusClick();
    // What the bus check needs of the main window: its port list, the console's state and port.
    void SetBusCheck(BusCheckServices services) { m_busServices = std::move(services); }
    // The bus check window while it is open, else nullptr.
    BusCheckWindow* BusCheck() const { return m_busCheck; }

signals:
    // The editor went (Back or its close box) and its working table with it.
    void Unloaded();
    // Next: the editor is hidden with its table kept, for the connection wizard to go on.
    void NextRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Load();
    EditorFields Fields() const;
    void SelectInstance(int index);
    void SelectFunctionCode(int index);
    void ShowAddButton(bool add);
    void SetTableCommandsEnabled();
    void AppendInstanceEntry(int number);
    // Shows the edit's messages in boxes, in order; true when the edit was made.
    bool Shown(const TableEdit& edit);

    ConfigImage& m_image;
    MessageBoxes& m_boxes;
    WorkingTable m_table;
    ObjectViews& m_views;
    AppObjectEditorControls m_c;
    std::function<void()> m_beep;
    BusCheckServices m_busServices;
    QPointer<BusCheckWindow> m_busCheck;
};

}  // namespace tavrin
