// The two read-only views of the application object table: ShowModule lists the Modbus devices
// the gateway polls, ShowAppObj the same objects as instances of the application object class with
// their attribute numbers. Both show the table as it was when they opened, one object per row
// under a heading row, with room for all ten objects. Not modal; they delete themselves on close.
#pragma once

#include <QWidget>

#include "config/AppObjectList.h"

class QTableWidget;

namespace tavrin {

enum class AppObjectViewKind {
    Devices,             // ShowModule, "Device Information"
    ApplicationObjects,  // ShowAppObj, "Application Object Information"
};

inline constexpr int kAppObjectViewRows = 1 + kMaxAppObjects;  // headings, then the objects
inline constexpr int kAppObjectViewGridColumns = 6;            // the last one stays empty
// Width of a plain column; the wider columns are a multiple of it.
inline constexpr int kAppObjectColumnTwips = 1200;

// Width of `column` in twips, whole twips.
int AppObjectColumnTwips(AppObjectViewKind kind, int column);

// objectName "ShowModule" or "ShowAppObj"; group box Frame1 holding the grid ModuleInfoRecord or
// AppObjParaRecord.
class AppObjectView final : public QWidget {
    Q_OBJECT
public:
    AppObjectView(AppObjectViewKind kind, const AppObjectList& working, QWidget* parent = nullptr);

    AppObjectViewKind Kind() const { return m_kind; }
    QTableWidget* Grid() const { return m_grid; }

private:
    AppObjectViewKind m_kind;
    QTableWidget* m_grid = nullptr;
};

}  // namespace tavrin
