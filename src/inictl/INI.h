// INI: Quillon's control. A host places one on a form, sets FileName and reads or writes one key
// per call; EditINI opens the file in the desktop's program for it. The control has no user
// interaction of its own: at design time it shows as a small fixed square with its face, and while
// its host runs it is invisible.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <optional>

#include "inictl/Control.h"
#include "inictl/IniKeys.h"
#include "inictl/LiveInstances.h"
#include "inictl/QuillonExport.h"

namespace quillon {

// The desktop services the control asks for; tests hand in a recorder.
class QUILLON_API Desktop {
public:
    virtual ~Desktop();
    // Opens the file with its default program; the outcome is not the control's concern.
    virtual void OpenDocument(QWidget* owner, const QString& path) = 0;
    // A modal box with an OK button and the question-mark icon.
    virtual void ShowQuestionBox(QWidget* owner, const QString& title, const QString& text) = 0;
};

// Where the host keeps the control's design-time properties with its form.
class QUILLON_API PropertyBag {
public:
    virtual ~PropertyBag();
    virtual std::optional<QVariant> ReadProperty(const QString& name) const = 0;
    virtual void WriteProperty(const QString& name, const QVariant& value) = 0;
};

class QUILLON_API INI final : public QWidget, public Control {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
public:
    explicit INI(QWidget* parent = nullptr, HostMode mode = HostMode::Run);
    ~INI() override;

    QString FileName() const;
    // Stores the name (no check of the file) and tells the host the property changed.
    void SetFileName(const QString& New_FileName);
    // The key's text; an invalid QVariant (not the empty text) while FileName is empty.
    QVariant GetKey(QString& AppName, QString& KeyName) const;
    // Sets the key; silent about failures, nothing at all while FileName is empty.
    void WriteKey(QString& AppName, QString& KeyName, QString& KeyValue) const;
    // Opens an existing, ordinary file named by FileName with the desktop's default program.
    void EditINI();
    void ShowAboutBox();
    // The library's string resource; throws Error(NoSuchResource) for a number without one.
    QString RES(int& ID) const;

    // Host persistence: a new instance, properties restored with the form, properties saved.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The control's one size, 400 x 430 twips at the screen's resolution.
    QSize FixedSize() const;
    void SetDesktop(Desktop* desktop) { m_desktop = desktop; }

    QWidget* Widget() override { return this; }
    QVariant Dispatch(DispId id, InvokeKind kind, QVariantList& args) override;

    void setVisible(bool visible) override;

signals:
    void PropertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    InstanceCount m_counted;
    IniKeys m_keys;
    HostMode m_mode;
    Desktop* m_desktop;
};

}  // namespace quillon
