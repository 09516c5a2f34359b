#include "app/automation/qdxoil_bus_node.hpp"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMetaType>
#include <QVariantMap>
#include <QXmlStreamReader>

#include <exception>
#include <map>

#include "app/automation/automation_server.hpp"
#include "automation_interfaces.hpp"

namespace qdx::app {

namespace {

constexpr const char* kIQDXoil = "com.calorix.QDX.IQDXoil";
constexpr const char* kLifetime = "com.calorix.QDX.Lifetime";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

// The code behind each property; its type and access are the interface file's.
struct TAccessor {
    QVariant (*get)(TQDXoilMembers&);
    void (*set)(TQDXoilMembers&, const QVariant&);
};

#define QDX_DOUBLE(name)                                                          \
    {                                                                             \
        #name, {                                                                  \
            [](TQDXoilMembers& m) { return QVariant(m.Get##name()); },            \
                [](TQDXoilMembers& m, const QVariant& v) { m.Set##name(v.toDouble()); } \
        }                                                                         \
    }
#define QDX_READ_DOUBLE(name) \
    { #name, { [](TQDXoilMembers& m) { return QVariant(m.Get##name()); }, nullptr } }

const std::map<QString, TAccessor>& Accessors() {
    static const std::map<QString, TAccessor> table = {
        {"Model",
         {[](TQDXoilMembers& m) { return QVariant(QString::fromStdString(m.GetModel())); },
          // The designation is 8-bit text.
          [](TQDXoilMembers& m, const QVariant& v) {
              m.SetModel(v.toString().toLatin1().toStdString());
          }}},
        QDX_DOUBLE(WaterOn),
        QDX_DOUBLE(Qt),
        QDX_DOUBLE(Qs),
        QDX_DOUBLE(AirFaceVelocity),
        QDX_DOUBLE(WaterFlow),
        QDX_DOUBLE(DBon),
        QDX_DOUBLE(WBon),
        QDX_READ_DOUBLE(DBo),
        QDX_READ_DOUBLE(WBo),
        {"CalcState",
         {[](TQDXoilMembers& m) { return QVariant(static_cast<int>(m.GetCalcState())); },
          nullptr}},
        QDX_READ_DOUBLE(WaterOff),
        QDX_DOUBLE(InletAirflow),
        QDX_DOUBLE(AirMassFlow),
    };
    return table;
}
#undef QDX_DOUBLE
#undef QDX_READ_DOUBLE

struct TPropertySpec {
    QString type;
    bool writable = false;
};

// The properties of IQDXoil as its interface file declares them.
const std::map<QString, TPropertySpec>& Properties() {
    static const std::map<QString, TPropertySpec> specs = [] {
        std::map<QString, TPropertySpec> out;
        QXmlStreamReader xml(QString::fromUtf8(kIQDXoilXml));
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"property") {
                const auto a = xml.attributes();
                out[a.value("name").toString()] = {a.value("type").toString(),
                                                   a.value("access") == u"readwrite"};
            }
        }
        return out;
    }();
    return specs;
}

// The <interface> elements of an interface file.
QString InterfacesOf(const char* xmlText) {
    const QString xml = QString::fromUtf8(xmlText);
    const int from = xml.indexOf("<interface");
    const int to = xml.lastIndexOf("</interface>");
    return from < 0 || to < 0 ? QString() : xml.mid(from, to + 12 - from) + "\n";
}

// A whole introspection document: the object's own interfaces and the standard ones.
QString IntrospectionOf(const QString& interfaces) {
    return QStringLiteral(
               "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n"
               "<node>\n") +
           interfaces +
           QStringLiteral(
               "  <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
               "    <method name=\"Introspect\"><arg name=\"xml_data\" type=\"s\" direction=\"out\"/></method>\n"
               "  </interface>\n"
               "  <interface name=\"org.freedesktop.DBus.Properties\">\n"
               "    <method name=\"Get\"><arg name=\"interface_name\" type=\"s\" direction=\"in\"/>"
               "<arg name=\"property_name\" type=\"s\" direction=\"in\"/>"
               "<arg name=\"value\" type=\"v\" direction=\"out\"/></method>\n"
               "    <method name=\"Set\"><arg name=\"interface_name\" type=\"s\" direction=\"in\"/>"
               "<arg name=\"property_name\" type=\"s\" direction=\"in\"/>"
               "<arg name=\"value\" type=\"v\" direction=\"in\"/></method>\n"
               "    <method name=\"GetAll\"><arg name=\"interface_name\" type=\"s\" direction=\"in\"/>"
               "<arg name=\"values\" type=\"a{sv}\" direction=\"out\"/></method>\n"
               "  </interface>\n"
               "</node>\n");
}

bool IsNumber(const QVariant& v) {
    switch (v.metaType().id()) {
        case QMetaType::Double:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
            return true;
        default:
            return false;
    }
}

// The object number of /com/calorix/QDX/QDXoil/N; 0 for any other path.
int ObjectNumber(const QString& path) {
    const QString prefix = QString(TQDXoilBusNode::kPath) + "/";
    if (!path.startsWith(prefix)) return 0;
    bool ok = false;
    const int n = path.mid(prefix.size()).toInt(&ok);
    return ok ? n : 0;
}

}  // namespace

TQDXoilBusNode::TQDXoilBusNode(TAutomationServer& server) : server_(server) {}

QString TQDXoilBusNode::introspect(const QString& path) const {
    if (auto* self = const_cast<TAutomationServer*>(&server_); self->Object(ObjectNumber(path)))
        return InterfacesOf(kIQDXoilXml) + InterfacesOf(kLifetimeXml);
    return {};
}

bool TQDXoilBusNode::handleMessage(const QDBusMessage& message,
                                   const QDBusConnection& connection) {
    QDBusConnection bus(connection);
    auto error = [&](const QString& name, const QString& text) {
        bus.send(message.createErrorReply(name, text));
        return true;
    };
    const int number = ObjectNumber(message.path());
    TQDXoilMembers* members = server_.Object(number);
    if (members == nullptr)
        return error("org.freedesktop.DBus.Error.UnknownObject",
                     QString("No such object path '%1'").arg(message.path()));

    const QString iface = message.interface();
    const QString member = message.member();
    const QVariantList args = message.arguments();
    if (iface == "org.freedesktop.DBus.Introspectable" && member == "Introspect")
        return bus.send(message.createReply(IntrospectionOf(introspect(message.path()))));
    try {
        if (iface == kProperties) {
            const QString target = args.value(0).toString();
            if (member == "GetAll" && args.size() == 1) {
                QVariantMap all;
                if (target == kIQDXoil)
                    for (const auto& [name, accessor] : Accessors()) all[name] = accessor.get(*members);
                else if (target != kLifetime)
                    return error("org.freedesktop.DBus.Error.UnknownInterface",
                                 "No such interface '" + target + "'");
                return bus.send(message.createReply(QVariant::fromValue(all)));
            }
            if ((member != "Get" || args.size() != 2) && (member != "Set" || args.size() != 3))
                return error("org.freedesktop.DBus.Error.UnknownMethod",
                             "No such method '" + member + "' in " + kProperties);
            if (!target.isEmpty() && target != kIQDXoil)
                return error("org.freedesktop.DBus.Error.UnknownInterface",
                             "No such interface '" + target + "'");
            const QString name = args.value(1).toString();
            const auto spec = Properties().find(name);
            const auto accessor = Accessors().find(name);
            if (spec == Properties().end() || accessor == Accessors().end())
                return error("org.freedesktop.DBus.Error.UnknownProperty",
                             "No such property '" + name + "'");
            if (member == "Get")
                return bus.send(
                    message.createReply(QVariant::fromValue(QDBusVariant(accessor->second.get(*members)))));
            if (!spec->second.writable || accessor->second.set == nullptr)
                return error("org.freedesktop.DBus.Error.PropertyReadOnly",
                             "Property '" + name + "' is read-only");
            const QVariant value = qdbus_cast<QDBusVariant>(args.value(2)).variant();
            const bool fits = spec->second.type == "s" ? value.metaType().id() == QMetaType::QString
                                                       : IsNumber(value);
            if (!fits)
                return error("org.freedesktop.DBus.Error.InvalidArgs",
                             "Property '" + name + "' takes type '" + spec->second.type + "', not " +
                                 value.metaType().name());
            accessor->second.set(*members, value);
            return bus.send(message.createReply());
        }
        if (member == "Solve" && (iface == kIQDXoil || iface.isEmpty()) && args.isEmpty())
            return bus.send(message.createReply(members->Solve()));
        if (member == "Release" && (iface == kLifetime || iface.isEmpty()) && args.isEmpty()) {
            bus.send(message.createReply());
            server_.ReleaseObject(number);
            return true;
        }
        return error("org.freedesktop.DBus.Error.UnknownMethod",
                     "No such method '" + member + "' in " + iface);
    } catch (const std::exception& e) {
        return error(kAutomationErrorName, QString::fromStdString(e.what()));
    } catch (...) {
        return error(kAutomationErrorName, "Unexpected fault");
    }
}

}  // namespace qdx::app
