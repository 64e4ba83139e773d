#pragma once
// A TCP relay on the loopback between the program and the test server, in a thread of its own (the
// program blocks in its statements). It drops the link right after a statement reached the server: once
// a packet from the program that holds all the texts of the next trigger has gone through, the server's
// answer to it is thrown away and both ends are closed. Or it falls silent.

#include <QByteArrayList>
#include <QThread>
#include <atomic>
#include <memory>

class LinkRelay {
 public:
  LinkRelay();  // listens on a free port, relaying to the test server
  ~LinkRelay();
  quint16 Port() const { return port_; }
  // Triggers in the order they are to fire; each fires once.
  void DropAfter(const QList<QByteArrayList> &triggers);
  int Drops() const { return drops_; }
  // The link goes silent without closing, once a packet from the program holding all the texts has
  // reached the server (at once for none): nothing passes either way, and a program that gives up
  // closes its own end only. Speak passes bytes again, what was held back first; the server's ends of
  // the connections given up stay open, as after a link that stayed down past the program's kernel.
  void SilenceAfter(const QByteArrayList &trigger);
  bool Silent() const;
  void Speak();

 private:
  class Worker;
  QThread thread_;
  Worker *worker_ = nullptr;
  quint16 port_ = 0;
  std::atomic<int> drops_{0};
};
