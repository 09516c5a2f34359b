#pragma once
// The automation server of the desktop program on the session bus: the class object
// (/com/calorix/QDX, CreateObject and ProgID) and one QDXoil object per creation
// (/com/calorix/QDX/QDXoil/N) carrying the fifteen members of IQDXoil and Lifetime.Release.
// The interfaces are the XML files beside this one: the class object's adaptor is generated
// from its file, and the QDXoil objects answer from the other two, forwarding each member to
// TQDXoilMembers over the main window's coil. A fault inside a member, a property write
// included, answers with com.calorix.QDX.Error.Unexpected and the fault's message.
//
// Calls arrive through the main thread's event loop, between user actions, also while a modal
// tool window is open: a put then changes the coil underneath it.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

#include "engine/qdxoil_members.hpp"

class QDBusServiceWatcher;
class QWidget;

namespace qdx::app {

inline constexpr const char* kAutomationErrorName = "com.calorix.QDX.Error.Unexpected";
inline constexpr const char* kClassObjectPath = "/com/calorix/QDX";
inline constexpr const char* kProgId = "QDX.QDXoil";

class TQDXoilBusNode;

// The class object: creates and releases the QDXoil objects and owns the service name.
class TAutomationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(QString ProgID READ ProgID)
public:
    // The holder of the coil: the project, the main window's calculation and grid refresh.
    TAutomationServer(TCoilProject& project, std::function<void()> solveCoil,
                      std::function<void()> updateGrid,
                      const QDBusConnection& bus = QDBusConnection::sessionBus(),
                      QObject* parent = nullptr);
    ~TAutomationServer() override;

    // Registers the class object and the objects' node and takes the service name; false
    // (with the reason) when the bus is not there or another program holds the name.
    bool Start(QString* error = nullptr);

    QString ProgID() const { return kProgId; }
    int ObjectCount() const { return static_cast<int>(objects_.size()); }
    // The members of a live object, or null.
    TQDXoilMembers* Object(int number);
    // Drops an object; the last one gone emits LastObjectReleased.
    void ReleaseObject(int number);

public slots:
    QDBusObjectPath CreateObject();

signals:
    // The last live object was released (by Release or by its client leaving the bus).
    void LastObjectReleased();

private:
    struct TEntry {
        std::unique_ptr<TQDXoilMembers> members;
        QString client;  // the creating client's unique bus name; empty for an in-process one
    };
    void ClientLeft(const QString& client);

    TCoilProject& project_;
    std::function<void()> solveCoil_;
    std::function<void()> updateGrid_;
    QDBusConnection bus_;
    QDBusServiceWatcher* watcher_;
    std::unique_ptr<TQDXoilBusNode> node_;
    std::map<int, TEntry> objects_;
    int next_ = 1;
    bool started_ = false;
};

// The running program's server, or null: the main window asks it before it closes.
TAutomationServer* RunningAutomationServer();
void SetRunningAutomationServer(TAutomationServer* server);

// True when the program may close: no live objects, or the user answered Yes to the
// "COM Server Warning" box (No is its default button).
bool ConfirmCloseWithLiveObjects(QWidget* parent);

}  // namespace qdx::app
