#include "appobj/views/ObjectViews.h"

#include "appobj/views/AppObjectView.h"
#include "assembly/ui/AssemblyView.h"
#include "widgets/WindowPlacement.h"

namespace tavrin {

namespace {

// Brings an open view forward without touching what it shows.
void BringForward(QWidget& view) {
    if (view.isMinimized()) {
        view.showNormal();
    }
    view.raise();
    view.activateWindow();
}

// Opens the view `slot` holds, or a new one from `create` when it has none. A view that has
// been closed but not yet deleted (deletion waits for the event loop) counts as closed.
template <typename Create>
void Open(QPointer<QWidget>& slot, const QWidget* opener, Create create) {
    if (slot && slot->isVisible()) {
        BringForward(*slot);
        return;
    }
    slot = create();
    // Beside its opener, so the table and the window it explains are seen together.
    if (opener != nullptr) {
        PlaceBeside(*slot, *opener);
    }
    slot->show();
    slot->activateWindow();
}

void Close(QPointer<QWidget>& slot) {
    QWidget* view = slot;
    slot = nullptr;
    if (view) {
        view->close();
    }
}

}  // namespace

ObjectViews::ObjectViews(const AppObjectList& working, AssemblyTables& assemblies)
    : m_working(working), m_assemblies(assemblies) {}

ObjectViews::~ObjectViews() {
    CloseAll();
}

QWidget* ObjectViews::Opened(const QPointer<QWidget>& view) {
    return view && view->isVisible() ? view.data() : nullptr;
}

void ObjectViews::OpenModuleView(const QWidget* opener) {
    Open(m_module, opener,
         [this] { return new AppObjectView(AppObjectViewKind::Devices, m_working); });
}

void ObjectViews::OpenAppObjView(const QWidget* opener) {
    Open(m_appObj, opener,
         [this] { return new AppObjectView(AppObjectViewKind::ApplicationObjects, m_working); });
}

void ObjectViews::OpenAssObjView(const QWidget* opener) {
    Open(m_assObj, opener, [this] { return new AssemblyView(m_working, m_assemblies); });
}

void ObjectViews::CloseModuleView() {
    Close(m_module);
}

void ObjectViews::CloseAll() {
    Close(m_module);
    Close(m_appObj);
    Close(m_assObj);
}

}  // namespace tavrin
