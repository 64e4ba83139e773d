// Any bytes given to the rich text reader either raise EReadError or give a document whose written
// form reads back to itself.

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/sys/Exceptions.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_rtf_reader";
  static char *argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  QTextDocument document;
  try {
    ReadRtf(std::string_view(reinterpret_cast<const char *>(data), size), document);
  } catch (const EReadError &) {
    return 0;
  }
  const std::string written = WriteRtf(document);
  QTextDocument again;
  ReadRtf(written, again);  // our own file never fails
  if (WriteRtf(again) != written) {
    std::fprintf(stderr, "written:\n%s\nrewritten:\n%s\n", written.c_str(), WriteRtf(again).c_str());
    std::abort();
  }
  return 0;
}
