// The about window opened from the main window's "About" menu. Not modal; "OK" or the close box
// unloads it (it deletes itself on close).
#pragma once

#include <QWidget>

namespace tavrin {

// objectName "AboutForm", caption "Tavrin Utility"; controls Label5, Label2, Label6, Frame1
// ("Support") with Label3 and Label1, Image1_1, Command1 ("OK"); ProgramVersion shows the version
// of this program.
class AboutWindow final : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace tavrin
