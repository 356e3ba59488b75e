// Steps a user takes on the way to the connection wizard, shared by the form tests.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <functional>

#include "MainWindowRig.h"
#include "appobj/editor/AppObjectEditor.h"
#include "eds/ui/ConnectionWizard.h"

namespace tavrin::testing {

// Connects to the gateway and goes on through the editor to the wizard.
inline ConnectionWizard* OpenWizard(MainWindowRig& main,
                                    const std::function<void()>& inEditor = {}) {
    if (!main.form.Connected()) {
        main.Connect();
    }
    main.c().CreateMBDevice->click();
    if (inEditor) {
        inEditor();
    }
    main.form.Editor()->Controls().NextButton->click();
    return main.form.Wizard();
}

// As a user picks a list entry.
inline void Pick(QComboBox* list, int position) {
    list->setCurrentIndex(position);
    emit list->activated(position);
}

}  // namespace tavrin::testing
