#include "support/LinkRelay.h"

#include "support/Database.h"

#include <QMutex>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>

class LinkRelay::Worker : public QObject {
 public:
  Worker(std::atomic<int> &drops) : drops_(drops) {}

  quint16 Listen() {
    server_ = new QTcpServer(this);
    server_->listen(QHostAddress::LocalHost);
    QObject::connect(server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket *program = server_->nextPendingConnection()) Relay(program);
    });
    return server_->serverPort();
  }

  void SetTriggers(const QList<QByteArrayList> &triggers) {
    QMutexLocker lock(&mutex_);
    triggers_ = triggers;
  }

  void SetSilence(const QByteArrayList &trigger) {
    QMutexLocker lock(&mutex_);
    silenceTrigger_ = trigger;
    silent_ = trigger.isEmpty();
  }
  bool Silent() {
    QMutexLocker lock(&mutex_);
    return silent_;
  }

  // In the worker's thread: what was held back goes through, and bytes pass again.
  void Speak() {
    {
      QMutexLocker lock(&mutex_);
      silent_ = false;
      silenceTrigger_.clear();
    }
    for (Link &link : links_) {
      if (!link.program || !link.server) continue;  // given up meanwhile: the server never hears of it
      link.server->write(link.toServer);
      link.program->write(link.toProgram);
      link.toServer.clear();
      link.toProgram.clear();
    }
  }

 private:
  // A silent link holds back what either end sends, and a program that gives up on it closes only its
  // own end: the server's stays open, as a server whose peer vanished keeps its session.
  struct Link {
    QTcpSocket *program;
    QTcpSocket *server;
    QByteArray toServer, toProgram;
  };

  bool HoldsBack() {
    QMutexLocker lock(&mutex_);
    return silent_;
  }

  void Relay(QTcpSocket *program) {
    auto *server = new QTcpSocket(this);
    links_.push_back({program, server, {}, {}});
    const qsizetype index = links_.size() - 1;
    auto armed = std::make_shared<bool>(false);
    server->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(testdb::Port()));
    // The program's end may be gone already (given up while the link was silent).
    const auto close = [this, index] {
      Link &link = links_[index];
      for (QTcpSocket *end : {link.program, link.server}) {
        if (!end) continue;
        end->disconnect();
        end->close();
        end->deleteLater();
      }
      link.program = link.server = nullptr;
    };
    QObject::connect(program, &QTcpSocket::readyRead, this, [this, program, server, armed, index] {
      const QByteArray data = program->readAll();
      if (HoldsBack()) {
        links_[index].toServer += data;
        return;
      }
      *armed = *armed || Fires(data);
      server->write(data);
      FallSilentOn(data);
    });
    QObject::connect(server, &QTcpSocket::readyRead, this, [this, server, armed, close, index] {
      const QByteArray data = server->readAll();
      if (HoldsBack()) {
        links_[index].toProgram += data;
        return;
      }
      if (!*armed) {
        if (links_[index].program) links_[index].program->write(data);
        return;
      }
      ++drops_;
      close();
    });
    QObject::connect(program, &QTcpSocket::disconnected, this, [this, program, close, index] {
      if (!HoldsBack()) return close();
      links_[index].program = nullptr;
      program->disconnect();
      program->deleteLater();
    });
    QObject::connect(server, &QTcpSocket::disconnected, this, close);
  }

  bool Fires(const QByteArray &data) {
    QMutexLocker lock(&mutex_);
    if (triggers_.isEmpty()) return false;
    for (const QByteArray &text : triggers_.first())
      if (!data.contains(text)) return false;
    triggers_.removeFirst();
    return true;
  }

  void FallSilentOn(const QByteArray &data) {
    QMutexLocker lock(&mutex_);
    if (silenceTrigger_.isEmpty()) return;
    for (const QByteArray &text : silenceTrigger_)
      if (!data.contains(text)) return;
    silent_ = true;
  }

  std::atomic<int> &drops_;
  QTcpServer *server_ = nullptr;
  QMutex mutex_;
  QList<QByteArrayList> triggers_;
  QByteArrayList silenceTrigger_;
  bool silent_ = false;
  QList<Link> links_;
};

LinkRelay::LinkRelay() {
  worker_ = new Worker(drops_);
  worker_->moveToThread(&thread_);
  QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
  QMetaObject::invokeMethod(worker_, [this] { port_ = worker_->Listen(); }, Qt::BlockingQueuedConnection);
}

LinkRelay::~LinkRelay() {
  thread_.quit();
  thread_.wait();
}

void LinkRelay::DropAfter(const QList<QByteArrayList> &triggers) { worker_->SetTriggers(triggers); }

void LinkRelay::SilenceAfter(const QByteArrayList &trigger) { worker_->SetSilence(trigger); }

bool LinkRelay::Silent() const { return worker_->Silent(); }

void LinkRelay::Speak() {
  QMetaObject::invokeMethod(worker_, [this] { worker_->Speak(); }, Qt::BlockingQueuedConnection);
}
