// The three read-only views that can stand beside the editor and the connection wizard:
// ShowModule (the Modbus devices), ShowAppObj (the application objects) and ShowAssObj (the
// assembly instances). Each shows the tables as they were when it opened; opening one that is
// already open only brings it forward. They never block the window that opens them, and the main
// window closes them all when the program ends or a configuration has been stored.
#pragma once

#include <QPointer>
#include <QWidget>

#include "assembly/AssemblyDerivation.h"
#include "config/AppObjectList.h"

namespace tavrin {

class ObjectViews {
public:
    // The views read the working table `working`; ShowAssObj derives into `assemblies`.
    ObjectViews(const AppObjectList& working, AssemblyTables& assemblies);
    ~ObjectViews();
    ObjectViews(const ObjectViews&) = delete;
    ObjectViews& operator=(const ObjectViews&) = delete;

    // A new view stands beside `opener` (the editor or the wizard) when one is given.
    void OpenModuleView(const QWidget* opener = nullptr);
    void OpenAppObjView(const QWidget* opener = nullptr);
    void OpenAssObjView(const QWidget* opener = nullptr);
    void CloseModuleView();
    void CloseAll();

    // The open view, or nullptr when it is closed.
    QWidget* ModuleView() const { return Opened(m_module); }
    QWidget* AppObjView() const { return Opened(m_appObj); }
    QWidget* AssObjView() const { return Opened(m_assObj); }

private:
    // A closed view lingers until the event loop deletes it; it is no longer open.
    static QWidget* Opened(const QPointer<QWidget>& view);

    const AppObjectList& m_working;
    AssemblyTables& m_assemblies;
    QPointer<QWidget> m_module;
    QPointer<QWidget> m_appObj;
    QPointer<QWidget> m_assObj;
};

}  // namespace tavrin
