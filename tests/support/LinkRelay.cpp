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

 private:
  void Relay(QTcpSocket *program) {
    auto *server = new QTcpSocket(this);
    auto armed = std::make_shared<bool>(false);
    server->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(testdb::Port()));
    const auto close = [program, server] {
      program->disconnect();
      server->disconnect();
      program->close();
      server->close();
      program->deleteLater();
      server->deleteLater();
    };
    QObject::connect(program, &QTcpSocket::readyRead, this, [this, program, server, armed] {
      const QByteArray data = program->readAll();
      *armed = *armed || Fires(data);
      server->write(data);
    });
    QObject::connect(server, &QTcpSocket::readyRead, this, [this, program, server, armed, close] {
      const QByteArray data = server->readAll();
      if (!*armed) {
        program->write(data);
        return;
      }
      ++drops_;
      close();
    });
    QObject::connect(program, &QTcpSocket::disconnected, this, close);
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

  std::atomic<int> &drops_;
  QTcpServer *server_ = nullptr;
  QMutex mutex_;
  QList<QByteArrayList> triggers_;
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
