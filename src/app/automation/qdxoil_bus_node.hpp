#pragma once
// The QDXoil objects as the bus sees them: one virtual node under /com/calorix/QDX/QDXoil that
// answers every object path below it — introspection from the interface XML, the standard
// Properties Get/Set/GetAll for IQDXoil, the method Solve and Lifetime.Release.

#include <QDBusVirtualObject>

namespace qdx::app {

class TAutomationServer;

class TQDXoilBusNode : public QDBusVirtualObject {
    Q_OBJECT
public:
    static constexpr const char* kPath = "/com/calorix/QDX/QDXoil";

    explicit TQDXoilBusNode(TAutomationServer& server);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    TAutomationServer& server_;
};

}  // namespace qdx::app
