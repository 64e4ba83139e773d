// Time from program start to the first answer of a CONS file that is waiting at start, against the
// design's floor of 1.0 s (one connect tick and one work tick, 500 ms apart).

#include "BenchDrive.h"
#include "core/UPRINC.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <vector>

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApplication(argc, argv);
  TApplication application;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    BenchDrive drive;
    BenchDrive::Write("C:\\Orvalix\\Remessa\\CONS0001.TXT", kConsultation);
    Application->ResetForTesting();
    QElapsedTimer clock;
    clock.start();
    double answeredAt = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (FileExists("C:\\Orvalix\\Retorno\\RET0001.ret")) {
        answeredAt = clock.nsecsElapsed() / 1e6;
        Application->Terminate();
      } else if (clock.elapsed() > 30000) {
        Application->Terminate();
      }
    });
    watch.start(1);
    Application->Initialize();
    Application->Title = "Orvalix Express";
    Application->CreateForm(Form1);
    Application->Run();
    watch.stop();
    delete Form1;
    Form1 = nullptr;
    if (answeredAt < 0) {
      std::printf("run %d: no answer within 30 s (is the database running?)\n", run + 1);
      return 1;
    }
    times.push_back(answeredAt);
    std::printf("run %d: first answer after %.1f ms\n", run + 1, answeredAt);
  }
  std::sort(times.begin(), times.end());
  std::printf("first answer: median %.1f ms, best %.1f ms, worst %.1f ms; design floor 1000 ms\n",
              times[times.size() / 2], times.front(), times.back());
  return 0;
}
