// The splash window shown for one second while the program starts.
#pragma once

#include <QWidget>

namespace tavrin {

// objectName "Logo"; controls Frame1, Label1..Label4, Image2. Frameless, centred on the screen.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

}  // namespace tavrin
