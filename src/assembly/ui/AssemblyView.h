// The assembly object view (ShowAssObj): the DeviceNet assembly instances that the working table
// gives, one tab per data direction. It derives the instances once, when it loads, and keeps
// showing them as they were then; switching tabs only redraws. Not modal; it deletes itself on
// close.
#pragma once

#include <QWidget>

#include "assembly/AssemblyDerivation.h"
#include "assembly/AssemblyGrid.h"
#include "config/AppObjectList.h"

class QTabBar;
class QTableWidget;

namespace tavrin {

// objectName "ShowAssObj", caption "Assembly Object Information"; group box Frame1 ("Assembly
// Object") with the tab bar AssObjParaTableTag and the grids AssConsParaRecord (output instances)
// and AssProdParaRecord (input instances), of which only the selected tab's grid is shown.
class AssemblyView final : public QWidget {
    Q_OBJECT
public:
    // Derives the instances from the working table `working`, stores them into `shared` (the
    // tables the rest of the program reads, e.g. for the EDS file) and shows the first tab.
    AssemblyView(const AppObjectList& working, AssemblyTables& shared, QWidget* parent = nullptr);

    QTabBar* Tabs() const { return m_tabs; }
    QTableWidget* Grid(AssemblyDirection direction) const;
    // The instances as derived at load; what every tab shows.
    const AssemblyTables& Tables() const { return m_tables; }

private:
    // Shows the grid of the tab at `index`, filled afresh. Tabs are told apart by caption; a tab
    // with any other caption changes nothing.
    void ShowTab(int index);

    AssemblyTables m_tables;
    QTabBar* m_tabs = nullptr;
    QTableWidget* m_output = nullptr;
    QTableWidget* m_input = nullptr;
};

}  // namespace tavrin
