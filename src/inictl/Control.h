// How a host holds a Quillon control without naming its class: it creates one by ProgID through
// the factory and calls its members by dispatch number with variant arguments, as hosts of such
// controls do. Only texts and numbers cross; the control owns nothing of the host's.
#pragma once

#include <QVariant>
#include <QVariantList>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "inictl/Identity.h"
#include "inictl/QuillonExport.h"

class QWidget;

namespace quillon {

// Why a call was refused. The file system never shows here: reads of missing files give the empty
// text and failed writes are silent, as the control promises its hosts.
enum class Fault {
    UnknownMember,  // no member with that dispatch number, or not callable that way
    WrongArgumentCount,
    WrongArgumentType,
    NoSuchResource,  // RES of a number without a string
};

class QUILLON_API Error : public std::runtime_error {
public:
    Error(Fault fault, const std::string& what) : std::runtime_error(what), m_fault(fault) {}
    Fault fault() const { return m_fault; }

private:
    Fault m_fault;
};

class QUILLON_API Control {
public:
    virtual ~Control();
    // The control's window, to be placed on the host's form.
    virtual QWidget* Widget() = 0;
    // Invokes member `id`. Arguments are passed by reference, as the members declare them.
    // Throws Error when the call is refused.
    virtual QVariant Dispatch(DispId id, InvokeKind kind, QVariantList& args) = 0;
};

// Whether the control is being placed on a form (it shows its face) or its host is running (it
// stays invisible).
enum class HostMode { Design, Run };

// The class identifier registered for a ProgID, or the empty text for one this library doesn't
// serve.
QUILLON_API std::string ClassIdFromProgId(std::string_view progId);
// A new control of the class, or nullptr for a class this library doesn't serve.
QUILLON_API std::unique_ptr<Control> CreateInstance(std::string_view classId, QWidget* parent,
                                                    HostMode mode = HostMode::Run);
// A new control by ProgID ("Quillonctl.INI"), or nullptr for an unknown ProgID.
QUILLON_API std::unique_ptr<Control> CreateControl(std::string_view progId, QWidget* parent,
                                                   HostMode mode = HostMode::Run);
// True when no control of this library is alive, so a host may unload it.
QUILLON_API bool CanUnloadNow();

}  // namespace quillon
