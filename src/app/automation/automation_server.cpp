#include "app/automation/automation_server.hpp"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

#include <exception>

#include "app/automation/qdxoil_bus_node.hpp"
#include "app/platform/dialogs.hpp"
#include "classfactoryadaptor.h"
#include "documents/automation_registration.hpp"

namespace qdx::app {

namespace {
TAutomationServer* gRunningServer = nullptr;

QString ObjectPath(int number) {
    return QString("%1/%2").arg(TQDXoilBusNode::kPath).arg(number);
}
}  // namespace

// ---- TAutomationServer ----

TAutomationServer::TAutomationServer(TCoilProject& project, std::function<void()> solveCoil,
                                     std::function<void()> updateGrid, const QDBusConnection& bus,
                                     QObject* parent)
    : QObject(parent),
      project_(project),
      solveCoil_(std::move(solveCoil)),
      updateGrid_(std::move(updateGrid)),
      bus_(bus),
      watcher_(new QDBusServiceWatcher(this)),
      node_(std::make_unique<TQDXoilBusNode>(*this)) {
    new ClassFactoryAdaptor(this);
    watcher_->setConnection(bus_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
            &TAutomationServer::ClientLeft);
}

TAutomationServer::~TAutomationServer() {
    if (gRunningServer == this) gRunningServer = nullptr;
    if (started_) {
        bus_.unregisterObject(TQDXoilBusNode::kPath);
        bus_.unregisterObject(kClassObjectPath);
        bus_.unregisterService(kAutomationService);
    }
}

bool TAutomationServer::Start(QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (!bus_.isConnected()) return fail("no session bus: " + bus_.lastError().message());
    if (!bus_.registerObject(kClassObjectPath, this, QDBusConnection::ExportAdaptors))
        return fail(QString("the object path %1 is taken").arg(kClassObjectPath));
    if (!bus_.registerVirtualObject(TQDXoilBusNode::kPath, node_.get(),
                                    QDBusConnection::SubPath)) {
        bus_.unregisterObject(kClassObjectPath);
        return fail(QString("the object path %1 is taken").arg(TQDXoilBusNode::kPath));
    }
    if (!bus_.registerService(kAutomationService)) {
        bus_.unregisterObject(TQDXoilBusNode::kPath);
        bus_.unregisterObject(kClassObjectPath);
        return fail(QString("%1 is owned by another program").arg(kAutomationService));
    }
    started_ = true;
    return true;
}

TQDXoilMembers* TAutomationServer::Object(int number) {
    auto it = objects_.find(number);
    return it == objects_.end() ? nullptr : it->second.members.get();
}

QDBusObjectPath TAutomationServer::CreateObject() {
    const int number = next_++;
    const QString client = calledFromDBus() ? message().service() : QString();
    objects_[number] = {std::make_unique<TQDXoilMembers>(project_, solveCoil_, updateGrid_), client};
    if (!client.isEmpty()) watcher_->addWatchedService(client);
    return QDBusObjectPath(ObjectPath(number));
}

void TAutomationServer::ReleaseObject(int number) {
    auto it = objects_.find(number);
    if (it == objects_.end()) return;
    const QString client = it->second.client;
    objects_.erase(it);
    bool clientHasMore = false;
    for (const auto& [n, entry] : objects_) clientHasMore = clientHasMore || entry.client == client;
    if (!client.isEmpty() && !clientHasMore) watcher_->removeWatchedService(client);
    if (objects_.empty()) emit LastObjectReleased();
}

void TAutomationServer::ClientLeft(const QString& client) {
    std::vector<int> owned;
    for (const auto& [n, entry] : objects_)
        if (entry.client == client) owned.push_back(n);
    for (int n : owned) ReleaseObject(n);
}

TAutomationServer* RunningAutomationServer() { return gRunningServer; }
void SetRunningAutomationServer(TAutomationServer* server) { gRunningServer = server; }

bool ConfirmCloseWithLiveObjects(QWidget* parent) {
    const TAutomationServer* server = RunningAutomationServer();
    if (server == nullptr || server->ObjectCount() == 0) return true;
    return Dialogs().Message(parent,
                             "There are still active automation objects in this program. "
                             "Their clients may fail if the program is closed.\n\n"
                             "Close the program anyway?",
                             "COM Server Warning", TMsgKind::Warning, TMsgButtons::YesNo,
                             TMsgResult::No) == TMsgResult::Yes;
}

}  // namespace qdx::app
