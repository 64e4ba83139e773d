// CPU time of one batch tick, in an empty REMESSA and with 10,000 other files waiting there. Goals: an
// idle tick under 0.5 ms however many files wait; a working tick within 1 ms of the same tick in an
// empty folder.

#include "BenchDrive.h"
#include "BenchMainWindow.h"

#include <QApplication>
#include <algorithm>
#include <vector>

namespace {

constexpr int kWaiting = 10000;
constexpr int kRepetitions = 21;

struct Figure {
  double total;   // median CPU time of a tick
  double kernel;  // mean share of the kernel in it
};

// The CPU time of a tick, each prepared by the function given.
template <typename Prepare>
Figure MedianTick(Prepare prepare) {
  std::vector<double> times;
  double kernel = 0;
  for (int i = 0; i < kRepetitions; ++i) {
    prepare();
    const double start = CpuMilliseconds();
    const double startKernel = SystemMilliseconds();
    Tick();
    times.push_back(CpuMilliseconds() - start);
    kernel += SystemMilliseconds() - startKernel;
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], kernel / kRepetitions};
}

void Fill(const char *pattern, const char *content = kConsultation) {
  const std::filesystem::path folder = HostPath("C:\\Orvalix\\Remessa");
  char name[64];
  for (int i = 1; i <= kWaiting; ++i) {
    std::snprintf(name, sizeof name, pattern, i);
    std::ofstream(folder / name, std::ios::binary) << content;
  }
}

void Clear() {
  for (const auto &entry : std::filesystem::directory_iterator(HostPath("C:\\Orvalix\\Remessa")))
    std::filesystem::remove(entry.path());
}

}  // namespace

int main(int argc, char **argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApplication(argc, argv);
  TApplication application;
  BenchDrive drive;
  if (!StartConnectedMainWindow()) return 1;
  const auto dropFirst = [] { BenchDrive::Write("C:\\Orvalix\\Remessa\\CONS0000.TXT", kConsultation); };
  const auto nothing = [] {};
  struct Result {
    const char *what;
    Figure figure;
    double goal = 0;  // ms of CPU; none for the figures of the empty folder
  };
  std::vector<Result> results;

  const auto finishFile = [] {
    while (Form1->Panel1->isVisibleTo(Form1->Widget())) Tick();
  };
  const auto dropUpdateFile = [&] {
    finishFile();
    BenchDrive::Write("C:\\Orvalix\\Remessa\\INSERE_DADO00000.TXT", "DELETE FROM DADOS WHERE 1=0;\r\n");
  };
  results.push_back({"idle tick, REMESSA empty", MedianTick(nothing)});
  dropFirst();
  Tick();  // the first answer also warms the connection
  const Figure cons = MedianTick(dropFirst);
  results.push_back({"CONS tick, REMESSA otherwise empty", cons});
  const Figure start = MedianTick(dropUpdateFile);
  results.push_back({"start tick, REMESSA otherwise empty", start});
  finishFile();

  Fill("DOC%05d.DAT");
  results.push_back({"idle tick, 10,000 other files waiting", MedianTick(nothing), 0.5});
  results.push_back({"CONS tick, 10,000 other files waiting", MedianTick(dropFirst), cons.total + 1});
  Clear();

  Fill("CONS%05d.TXT");
  results.push_back({"CONS tick, 10,000 more CONS files waiting", MedianTick(dropFirst), cons.total + 1});
  Clear();
  // Each measured tick starts the next data-update file; the one before is finished outside the count.
  Fill("INSERE_DADO%05d.TXT", "DELETE FROM DADOS WHERE 1=0;\r\n");
  results.push_back({"start tick, 10,000 data-update files waiting", MedianTick(finishFile), start.total + 1});
  Clear();

  bool met = true;
  for (const Result &r : results) {
    const double ms = r.figure.total;
    const bool over = r.goal > 0 && ms >= r.goal;
    std::printf("%-46s %8.3f ms CPU (median of %d; kernel about %.1f ms)", r.what, ms, kRepetitions, r.figure.kernel);
    if (r.goal > 0) std::printf("  goal under %.3f ms%s", r.goal, over ? ": NOT met" : "");
    std::printf("\n");
    met = met && !over;
  }
  std::printf("goals: %s\n", met ? "met" : "NOT met");
  delete Form1;
  Form1 = nullptr;
  return 0;
}
