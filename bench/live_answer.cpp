// Time from the close of a CONS file, written while the program runs (as a member's software writes
// it), to its answer in RETORNO, and the connections the program opened meanwhile. Goal: a median
// under 600 ms over 20 files, on the one connection of the start.

#include "BenchDrive.h"
#include "core/UPRINC.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <random>
#include <vector>

int main(int argc, char **argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApplication(argc, argv);
  TApplication application;
  const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  BenchDrive drive;
  Application->Initialize();
  Application->Title = "Orvalix Express";
  Application->CreateForm(Form1);
  int connects = 0;
  const TNotifyEvent afterConnect = Form1->Database1->AfterConnect;
  Form1->Database1->AfterConnect = [&](TObject *sender) {
    ++connects;
    if (afterConnect) afterConnect(sender);
  };

  const std::filesystem::path command = HostPath("C:\\Orvalix\\Remessa\\CONS0001.TXT");
  const AnsiString answer = "C:\\Orvalix\\Retorno\\RET0001.ret";
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> pause(100, 900);  // the close falls anywhere between two ticks
  std::vector<double> times;
  QElapsedTimer clock;
  clock.start();
  qint64 nextWrite = -1;  // ms on the clock; -1 before the connection
  qint64 closedAt = -1;   // ns on the clock; -1 while no file waits
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (clock.elapsed() > 120000) return Application->Terminate();
    if (nextWrite < 0) {
      if (Form1->Database1->Connected()) nextWrite = clock.elapsed() + pause(random);
      return;
    }
    if (closedAt < 0) {
      if (clock.elapsed() < nextWrite) return;
      std::ofstream(command, std::ios::binary) << kConsultation;
      closedAt = clock.nsecsElapsed();
      return;
    }
    if (!FileExists(answer)) return;
    times.push_back((clock.nsecsElapsed() - closedAt) / 1e6);
    std::printf("file %zu: answered %.1f ms after its close\n", times.size(), times.back());
    DeleteFile(answer);
    closedAt = -1;
    nextWrite = clock.elapsed() + pause(random);
    if (static_cast<int>(times.size()) == files) Application->Terminate();
  });
  watch.start(1);
  Application->Run();
  watch.stop();
  delete Form1;
  Form1 = nullptr;
  if (static_cast<int>(times.size()) < files) {
    std::printf("only %zu of %d files answered within 2 minutes (is the database running?)\n", times.size(), files);
    return 1;
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("answer after close: median %.1f ms, best %.1f ms, worst %.1f ms; connections opened: %d\n", median,
              times.front(), times.back(), connects);
  std::printf("goal median under 600 ms on the one connection of the start: %s\n",
              median < 600 && connects == 1 ? "met" : "NOT met");
  return 0;
}
