#include "ui/main/QuillonKeys.h"

#include <QFile>
#include <QWidget>
#include <stdexcept>

namespace tavrin {
namespace {

// Section, key and value texts cross the control as bytes of a single-byte code page.
QString Latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

QuillonKeys::QuillonKeys(QWidget* host)
    : m_control(quillon::CreateControl(quillon::kProgId, host)) {
    if (m_control) {
        m_control->Widget()->setObjectName(QStringLiteral("INI1"));
    }
}

QuillonKeys::~QuillonKeys() = default;

QWidget* QuillonKeys::Widget() const {
    return m_control ? m_control->Widget() : nullptr;
}

QVariant QuillonKeys::Call(quillon::DispId id, quillon::InvokeKind kind, QVariantList args) {
    if (!m_control) {
        throw std::runtime_error("the INI control is not available");
    }
    return m_control->Dispatch(id, kind, args);
}

void QuillonKeys::SetFileName(const std::string& path) {
    Call(quillon::DispId::FileName, quillon::InvokeKind::PropertyPut,
         {QFile::decodeName(QByteArray::fromStdString(path))});
}

std::optional<std::string> QuillonKeys::GetKey(const std::string& section, const std::string& key) {
    const QVariant value =
        Call(quillon::DispId::GetKey, quillon::InvokeKind::Method, {Latin1(section), Latin1(key)});
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toLatin1().toStdString();
}

void QuillonKeys::WriteKey(const std::string& section, const std::string& key,
                           const std::string& value) {
    Call(quillon::DispId::WriteKey, quillon::InvokeKind::Method,
         {Latin1(section), Latin1(key), Latin1(value)});
}

}  // namespace tavrin
