#include "inictl/INI.h"

#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>
#include <QUrl>

#include "inictl/Face.h"
#include "inictl/StringTable.h"

namespace quillon {
namespace {

constexpr int kWidthTwips = 400;
constexpr int kHeightTwips = 430;
constexpr int kTwipsPerInch = 1440;
const QString kFileNameProperty = QStringLiteral("FileName");

// Key names and values are bytes of a single-byte code page; Latin-1 maps each byte to one
// character and back without loss.
std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

QString Text(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

class ShellDesktop final : public Desktop {
public:
    void OpenDocument(QWidget*, const QString& path) override {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    void ShowQuestionBox(QWidget* owner, const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok, owner);
        box.exec();
    }
};

ShellDesktop& TheShell() {
    static ShellDesktop shell;
    return shell;
}

void ExpectArguments(const QVariantList& args, qsizetype count) {
    if (args.size() != count) {
        throw Error(Fault::WrongArgumentCount, "wrong number of arguments");
    }
}

QString TextArgument(const QVariant& argument) {
    if (!argument.canConvert<QString>()) {
        throw Error(Fault::WrongArgumentType, "a text argument was expected");
    }
    return argument.toString();
}

int IntegerArgument(const QVariant& argument) {
    bool ok = false;
    const int value = argument.toInt(&ok);
    if (!ok) {
        throw Error(Fault::WrongArgumentType, "a 32-bit integer argument was expected");
    }
    return value;
}

}  // namespace

Desktop::~Desktop() = default;
PropertyBag::~PropertyBag() = default;
Control::~Control() = default;

INI::INI(QWidget* parent, HostMode mode) : QWidget(parent), m_mode(mode), m_desktop(&TheShell()) {
    setFixedSize(FixedSize());
    if (m_mode == HostMode::Run) {
        QWidget::setVisible(false);
    }
}

INI::~INI() = default;

QString INI::FileName() const {
    return QFile::decodeName(QByteArray::fromStdString(m_keys.FileName()));
}

void INI::SetFileName(const QString& New_FileName) {
    m_keys.SetFileName(QFile::encodeName(New_FileName).toStdString());
    emit PropertyChanged(kFileNameProperty);
}

QVariant INI::GetKey(QString& AppName, QString& KeyName) const {
    const std::optional<std::string> value = m_keys.GetKey(Bytes(AppName), Bytes(KeyName));
    if (!value) {
        return {};
    }
    return Text(*value);
}

void INI::WriteKey(QString& AppName, QString& KeyName, QString& KeyValue) const {
    // Hosts learn of a failed write by reading the key back; the control itself stays silent.
    m_keys.WriteKey(Bytes(AppName), Bytes(KeyName), Bytes(KeyValue));
}

void INI::EditINI() {
    if (m_keys.NamesOrdinaryFile()) {
        m_desktop->OpenDocument(this, FileName());
    }
}

void INI::ShowAboutBox() {
    m_desktop->ShowQuestionBox(this, Text(AboutBoxTitle()), Text(AboutBoxText()));
}

QString INI::RES(int& ID) const {
    const std::optional<std::string_view> text = LookUpResource(ID);
    if (!text) {
        throw Error(Fault::NoSuchResource, "no string resource " + std::to_string(ID));
    }
    return Text(std::string(*text));
}

void INI::InitProperties() {
    m_keys.SetFileName({});
}

void INI::ReadProperties(const PropertyBag& bag) {
    const std::optional<QVariant> stored = bag.ReadProperty(kFileNameProperty);
    m_keys.SetFileName(stored ? QFile::encodeName(stored->toString()).toStdString()
                              : std::string());
}

void INI::WriteProperties(PropertyBag& bag) const {
    // A value equal to the default (the empty name) is not stored.
    if (!m_keys.FileName().empty()) {
        bag.WriteProperty(kFileNameProperty, FileName());
    }
}

QSize INI::FixedSize() const {
    return {qRound(kWidthTwips * logicalDpiX() / double(kTwipsPerInch)),
            qRound(kHeightTwips * logicalDpiY() / double(kTwipsPerInch))};
}

QVariant INI::Dispatch(DispId id, InvokeKind kind, QVariantList& args) {
    switch (id) {
        case DispId::FileName:
            if (kind == InvokeKind::PropertyGet) {
                ExpectArguments(args, 0);
                return FileName();
            }
            if (kind == InvokeKind::PropertyPut) {
                ExpectArguments(args, 1);
                SetFileName(TextArgument(args[0]));
                return {};
            }
            break;
        case DispId::GetKey:
            if (kind == InvokeKind::Method) {
                ExpectArguments(args, 2);
                QString section = TextArgument(args[0]);
                QString key = TextArgument(args[1]);
                return GetKey(section, key);
            }
            break;
        case DispId::WriteKey:
            if (kind == InvokeKind::Method) {
                ExpectArguments(args, 3);
                QString section = TextArgument(args[0]);
                QString key = TextArgument(args[1]);
                QString value = TextArgument(args[2]);
                WriteKey(section, key, value);
                return {};
            }
            break;
        case DispId::EditINI:
            if (kind == InvokeKind::Method) {
                ExpectArguments(args, 0);
                EditINI();
                return {};
            }
            break;
        case DispId::ShowAboutBox:
            if (kind == InvokeKind::Method) {
                ExpectArguments(args, 0);
                ShowAboutBox();
                return {};
            }
            break;
        case DispId::RES:
            if (kind == InvokeKind::Method) {
                ExpectArguments(args, 1);
                int resourceId = IntegerArgument(args[0]);
                return RES(resourceId);
            }
            break;
    }
    throw Error(Fault::UnknownMember,
                "no member " + std::to_string(static_cast<std::int32_t>(id)) + " of that kind");
}

void INI::setVisible(bool visible) {
    // While the host runs the control does its work unseen.
    QWidget::setVisible(visible && m_mode == HostMode::Design);
}

void INI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), ControlFace());
}

void INI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Designers may drag the frame; the control always springs back to its one size.
    if (event->size() != FixedSize()) {
        setFixedSize(FixedSize());
    }
}

}  // namespace quillon
